#include "fakeruntimeservices.h"
#include "pointanimation.h"

#include <QTest>

// Laying out the points and choosing the rule.
class PointFieldTest : public QObject
{
    Q_OBJECT

private slots:
    void startsZeroedUnderFall();
    void resetLaysOutStartingPattern_data();
    void resetLaysOutStartingPattern();
    void spreadLayoutsFillEveryRowOnceOrTwice();
    void resetKeepsColoursRuleAndTimer();
    void selectingRuleChangesNothingElse();
};

void PointFieldTest::startsZeroedUnderFall()
{
    FakeRuntimeServices services;
    PointAnimation animation(services);
    QCOMPARE(animation.mode(), MotionMode::Fall);
    for (int i = 0; i < PointField::kCount; ++i) {
        QCOMPARE(int{animation.field().x[i]}, 0);
        QCOMPARE(int{animation.field().y[i]}, 0);
        QCOMPARE(animation.field().color[i], Color{0});
    }
    QVERIFY(services.calls.empty());
}

void PointFieldTest::resetLaysOutStartingPattern_data()
{
    QTest::addColumn<MotionMode>("mode");
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    const struct
    {
        int i, row;
    } spread[] = {{0, 0}, {1, 0}, {2, 1}, {91, 63}, {92, 64}, {181, 126}, {182, 127}};
    for (const auto &[i, row] : spread) {
        QTest::addRow("Fall %d", i) << MotionMode::Fall << i << i << 0;
        QTest::addRow("Sort %d", i) << MotionMode::Sort << i << i << row;
        QTest::addRow("Wind %d", i) << MotionMode::Wind << i << 0 << row;
    }
}

void PointFieldTest::resetLaysOutStartingPattern()
{
    QFETCH(MotionMode, mode);
    QFETCH(int, i);
    QFETCH(int, x);
    QFETCH(int, y);
    FakeRuntimeServices services;
    PointAnimation animation(services);
    animation.selectMode(mode);
    animation.reset();
    QCOMPARE(int{animation.field().x[i]}, x);
    QCOMPARE(int{animation.field().y[i]}, y);
    QCOMPARE(animation.field().color[i], Color{0});
}

void PointFieldTest::spreadLayoutsFillEveryRowOnceOrTwice()
{
    for (MotionMode mode : {MotionMode::Sort, MotionMode::Wind}) {
        PointField field;
        layOut(field, mode);
        int perRow[PointField::kMaxY + 1] = {};
        for (int i = 0; i < PointField::kCount; ++i) {
            QVERIFY(i == 0 || field.y[i] >= field.y[i - 1]);
            ++perRow[field.y[i]];
        }
        for (int count : perRow)
            QVERIFY(count == 1 || count == 2);
    }
}

void PointFieldTest::resetKeepsColoursRuleAndTimer()
{
    FakeRuntimeServices services;
    PointAnimation animation(services);
    animation.reset();
    animation.start();
    for (int t = 0; t < 5; ++t)
        animation.tick();
    const auto colours = animation.field().color;
    QVERIFY(colours != decltype(colours){});
    animation.selectMode(MotionMode::Sort);
    services.calls.clear();

    animation.reset();

    QCOMPARE(animation.field().color, colours);
    QCOMPARE(animation.mode(), MotionMode::Sort);
    QVERIFY(services.timerEnabled);
    QCOMPARE(services.calls, std::vector<std::string>{"clearSurface pct1"});
    QCOMPARE(int{animation.field().y[91]}, 63); // the Sort pattern, not the Fall one
}

void PointFieldTest::selectingRuleChangesNothingElse()
{
    FakeRuntimeServices services;
    PointAnimation animation(services);
    animation.reset();
    const PointField before = animation.field();
    services.calls.clear();
    for (MotionMode mode : {MotionMode::Wind, MotionMode::Sort, MotionMode::Fall}) {
        animation.selectMode(mode);
        QCOMPARE(animation.mode(), mode);
        QCOMPARE(animation.field().x, before.x);
        QCOMPARE(animation.field().y, before.y);
    }
    QVERIFY(services.calls.empty());
    QVERIFY(services.plots.empty());
    QCOMPARE(services.randomsTaken, 0);
}

QTEST_APPLESS_MAIN(PointFieldTest)
#include "tst_pointfield.moc"
