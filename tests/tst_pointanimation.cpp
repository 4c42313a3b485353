#include "fakeruntimeservices.h"
#include "fieldinvariants.h"
#include "pointanimation.h"

#include <QTest>

#include <random>

namespace {

// The largest value below 1 that randomUnit can return.
constexpr float kAlmostOne = 1.0f - 0x1p-24f;

// Scripts one tick: every point draws `rest` twice, except point `i`, which draws r1 then r2.
void scriptTick(FakeRuntimeServices &services, int i, float r1, float r2, float rest = 0.0f)
{
    for (int p = 0; p < PointField::kCount; ++p) {
        services.script.push_back(p == i ? r1 : rest);
        services.script.push_back(p == i ? r2 : rest);
    }
}

// Points laid out for `layout`, then moved under `rule`.
struct Rig
{
    FakeRuntimeServices services;
    PointAnimation animation{services};

    Rig(MotionMode layout, MotionMode rule)
    {
        animation.selectMode(layout);
        animation.reset();
        animation.selectMode(rule);
    }
    int x(int i) const { return animation.field().x[i]; }
    int y(int i) const { return animation.field().y[i]; }
    Color color(int i) const { return animation.field().color[i]; }
};

} // namespace

// Moving, recolouring and plotting the points on each tick, and starting and stopping the timer.
class PointAnimationTest : public QObject
{
    Q_OBJECT

private slots:
    void firstTickAfterStartupPlotsCornerBlack();
    void stepsAtTheEdges_data();
    void stepsAtTheEdges();
    void takesTwoRandomsPerPointFirstForLeadingCoordinate_data();
    void takesTwoRandomsPerPointFirstForLeadingCoordinate();
    void recolouringFollowsPosition_data();
    void recolouringFollowsPosition();
    void sortKeepsColours();
    void plotsPositionReachedOnPreviousTick();
    void startAndStopOnlySwitchTimer();
    void writingPixelsDirectlyLooksTheSame();
    void longRandomRunKeepsPointsInField();
};

void PointAnimationTest::firstTickAfterStartupPlotsCornerBlack()
{
    FakeRuntimeServices services;
    PointAnimation animation(services);
    animation.start();
    animation.tick();
    QCOMPARE(services.plots.size(), std::size_t(PointField::kCount));
    for (const auto &plot : services.plots)
        QCOMPARE(plot, (FakeRuntimeServices::Plot{0, 0, 0}));
    QCOMPARE(services.randomsTaken, 2 * PointField::kCount);
    for (int i = 0; i < PointField::kCount; ++i) {
        QCOMPARE(int{animation.field().x[i]}, 0); // Fall never moves x
        QVERIFY(animation.field().y[i] <= 1);
    }
}

void PointAnimationTest::stepsAtTheEdges_data()
{
    QTest::addColumn<MotionMode>("layout");
    QTest::addColumn<MotionMode>("rule");
    QTest::addColumn<int>("i");
    QTest::addColumn<float>("r1");
    QTest::addColumn<float>("r2");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    using enum MotionMode;
    // Sort lays point 0 out at (0, 0), 91 at (91, 63) and 182 at (182, 127).
    QTest::newRow("Fall stays") << Fall << Fall << 10 << 0.49f << 0.f << 10 << 0;
    QTest::newRow("Fall drops") << Fall << Fall << 10 << 0.5f << 0.f << 10 << 1;
    QTest::newRow("Fall wraps to row 1") << Sort << Fall << 182 << 0.5f << 0.f << 182 << 1;
    QTest::newRow("Fall at bottom stays") << Sort << Fall << 182 << 0.f << 0.f << 182 << 127;
    QTest::newRow("Wind drifts") << Wind << Wind << 0 << kAlmostOne << 0.f << 1 << 0;
    QTest::newRow("Wind wraps to column 1") << Sort << Wind << 182 << 0.5f << 0.f << 1 << 127;
    QTest::newRow("Wind at right stays") << Sort << Wind << 182 << 0.f << 0.f << 182 << 127;
    QTest::newRow("Sort held at top-left") << Sort << Sort << 0 << 0.f << 0.f << 0 << 0;
    QTest::newRow("Sort held at bottom-right")
        << Sort << Sort << 182 << kAlmostOne << kAlmostOne << 182 << 127;
    QTest::newRow("Sort -1 +1") << Sort << Sort << 91 << 0.33f << 0.67f << 90 << 64;
    QTest::newRow("Sort 0 0") << Sort << Sort << 91 << 0.34f << 0.66f << 91 << 63;
    QTest::newRow("Sort into corner") << Sort << Sort << 1 << 0.f << 0.f << 0 << 0;
}

void PointAnimationTest::stepsAtTheEdges()
{
    QFETCH(MotionMode, layout);
    QFETCH(MotionMode, rule);
    QFETCH(int, i);
    QFETCH(float, r1);
    QFETCH(float, r2);
    QFETCH(int, x);
    QFETCH(int, y);
    Rig rig(layout, rule);
    scriptTick(rig.services, i, r1, r2, 1.0f / 3);
    rig.animation.tick();
    QCOMPARE(rig.x(i), x);
    QCOMPARE(rig.y(i), y);
    QCOMPARE(fieldFault(rig.animation.field()), std::string());
}

void PointAnimationTest::takesTwoRandomsPerPointFirstForLeadingCoordinate_data()
{
    QTest::addColumn<MotionMode>("rule");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("green");
    using enum MotionMode;
    // Point 91 starts at (91, 63) and draws 0.9 then 0.1. Taken the other way round the
    // results would differ in every row.
    QTest::newRow("Fall: y, then green") << Fall << 91 << 64 << 25;
    QTest::newRow("Sort: x, then y") << Sort << 92 << 62 << -1;
    QTest::newRow("Wind: x, then green") << Wind << 92 << 63 << 25;
}

void PointAnimationTest::takesTwoRandomsPerPointFirstForLeadingCoordinate()
{
    QFETCH(MotionMode, rule);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, green);
    Rig rig(MotionMode::Sort, rule);
    scriptTick(rig.services, 91, 0.9f, 0.1f, 0.5f);
    rig.animation.tick();
    QCOMPARE(rig.services.randomsTaken, 2 * PointField::kCount);
    QVERIFY(rig.services.script.empty());
    QCOMPARE(rig.x(91), x);
    QCOMPARE(rig.y(91), y);
    if (green >= 0)
        QCOMPARE(greenOf(rig.color(91)), green);
}

void PointAnimationTest::recolouringFollowsPosition_data()
{
    QTest::addColumn<MotionMode>("layout");
    QTest::addColumn<MotionMode>("rule");
    QTest::addColumn<int>("i");
    QTest::addColumn<float>("r2");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    using enum MotionMode;
    // Each point stays put (r1 = 0). Under the Sort layout point i sits on row floor(i*127/182);
    // under the Fall layout on column i.
    QTest::newRow("y 1") << Sort << Fall << 2 << 0.f << 2 << 0 << 2;
    QTest::newRow("y 64") << Sort << Fall << 92 << 0.f << 129 << 0 << 129;
    QTest::newRow("y 127") << Sort << Fall << 182 << 0.f << 255 << 0 << 255;
    QTest::newRow("y 0") << Fall << Wind << 0 << 0.f << 0 << 0 << 0;
    QTest::newRow("x 1") << Fall << Wind << 1 << 0.f << 0 << 0 << 1;
    QTest::newRow("x 91") << Fall << Wind << 91 << 0.f << 0 << 0 << 128;
    QTest::newRow("x 181") << Fall << Wind << 181 << 0.f << 0 << 0 << 254;
    QTest::newRow("x 182") << Fall << Wind << 182 << 0.f << 0 << 0 << 255;
    QTest::newRow("green half") << Fall << Wind << 0 << 0.5f << 0 << 128 << 0;
    QTest::newRow("green lowest") << Fall << Fall << 0 << 0x1p-24f << 0 << 0 << 0;
    QTest::newRow("green top") << Fall << Fall << 0 << kAlmostOne << 0 << 255 << 0;
}

void PointAnimationTest::recolouringFollowsPosition()
{
    QFETCH(MotionMode, layout);
    QFETCH(MotionMode, rule);
    QFETCH(int, i);
    QFETCH(float, r2);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    Rig rig(layout, rule);
    scriptTick(rig.services, i, 0.0f, r2);
    rig.animation.tick();
    QCOMPARE(rig.color(i), rgbColor(red, green, blue));
    // and the next tick plots it in that colour
    rig.services.plots.clear();
    rig.animation.tick();
    QCOMPARE(rig.services.plots[i].color, rgbColor(red, green, blue));
}

void PointAnimationTest::sortKeepsColours()
{
    Rig rig(MotionMode::Fall, MotionMode::Wind);
    rig.animation.tick();
    const auto colours = rig.animation.field().color;
    rig.animation.selectMode(MotionMode::Sort);
    for (int t = 0; t < 20; ++t)
        rig.animation.tick();
    QCOMPARE(rig.animation.field().color, colours);
}

void PointAnimationTest::plotsPositionReachedOnPreviousTick()
{
    for (MotionMode rule : {MotionMode::Fall, MotionMode::Sort, MotionMode::Wind}) {
        Rig rig(rule, rule);
        for (int t = 0; t < 10; ++t) {
            const PointField before = rig.animation.field();
            rig.services.plots.clear();
            rig.animation.tick();
            QCOMPARE(rig.services.plots.size(), std::size_t(PointField::kCount));
            for (int i = 0; i < PointField::kCount; ++i)
                QCOMPARE(rig.services.plots[i],
                         (FakeRuntimeServices::Plot{before.x[i], before.y[i], before.color[i]}));
        }
    }
}

// Start and Stop only switch the timer: nothing moves, nothing is drawn, and after Stop and
// Start the moves go on exactly as if there had been no pause.
void PointAnimationTest::startAndStopOnlySwitchTimer()
{
    Rig paused(MotionMode::Fall, MotionMode::Fall);
    Rig steady(MotionMode::Fall, MotionMode::Fall);
    paused.animation.start();
    steady.animation.start();
    for (int t = 0; t < 30; ++t) {
        if (t == 15) {
            const PointField before = paused.animation.field();
            const std::size_t plotted = paused.services.plots.size();
            paused.services.calls.clear();
            paused.animation.stop();
            paused.animation.stop();
            QVERIFY(!paused.services.timerEnabled);
            paused.animation.start();
            paused.animation.start();
            QVERIFY(paused.services.timerEnabled);
            QCOMPARE(
                paused.services.calls,
                (std::vector<std::string>{"setTimerEnabled tmr1 off", "setTimerEnabled tmr1 off",
                                          "setTimerEnabled tmr1 on", "setTimerEnabled tmr1 on"}));
            QCOMPARE(paused.animation.field().x, before.x);
            QCOMPARE(paused.animation.field().y, before.y);
            QCOMPARE(paused.services.plots.size(), plotted);
        }
        paused.animation.tick();
        steady.animation.tick();
    }
    QCOMPARE(paused.services.plots, steady.services.plots);
    QCOMPARE(paused.animation.field().color, steady.animation.field().color);
    QCOMPARE(paused.animation.mode(), MotionMode::Fall);
}

// Where the platform lets the tick write the surface's pixels itself, the picture is exactly the
// one that plotting pixel by pixel in point order gives, under every rule.
void PointAnimationTest::writingPixelsDirectlyLooksTheSame()
{
    FakeRuntimeServices direct(7), byPlots(7);
    direct.direct = true;
    PointAnimation a(direct), b(byPlots);
    for (MotionMode mode : {MotionMode::Wind, MotionMode::Sort, MotionMode::Fall}) {
        for (PointAnimation *animation : {&a, &b}) {
            animation->selectMode(mode);
            animation->reset();
        }
        for (int t = 0; t < 40; ++t) {
            a.tick();
            b.tick();
        }
    }
    std::vector<std::uint32_t> replayed(183 * 128, 0xFF000000u);
    DirtyBox::Bounds bounds;
    for (const auto &p : byPlots.plots) {
        replayed[p.y * 183 + p.x] = PixelSink::toRgb(p.color) | 0xFF000000u;
        bounds.add(p.x, p.y);
    }
    QVERIFY(direct.pixels == replayed);
    QCOMPARE(direct.randomsTaken, byPlots.randomsTaken);
    const auto box = direct.dirty.take();
    QVERIFY(box);
    QCOMPARE(box->left, bounds.left);
    QCOMPARE(box->right(), bounds.right);
    QCOMPARE(box->bottom(), bounds.bottom);

    // A tick's positions are listed too, in plotting order, for sending pixel by pixel; more
    // than two ticks' worth are not, and the box alone stands for them.
    byPlots.plots.clear();
    a.tick();
    b.tick();
    std::vector<std::pair<int, int>> listed, plotted;
    for (const DirtyBox::Spot s : direct.dirty.spots())
        listed.emplace_back(s.x, s.y);
    for (const auto &p : byPlots.plots)
        plotted.emplace_back(p.x, p.y);
    QCOMPARE(listed, plotted);
    a.tick();
    QCOMPARE(direct.dirty.spots().size(), 2 * plotted.size());
    a.tick();
    QVERIFY(direct.dirty.spots().empty());
    QVERIFY(direct.dirty.take());
    QVERIFY(direct.dirty.spots().empty());
}

void PointAnimationTest::longRandomRunKeepsPointsInField()
{
    // Rule changes and resets at random moments, with the extreme random values mixed in.
    const unsigned seed = std::random_device{}();
    FakeRuntimeServices services(seed);
    services.keepPlots = false;
    PointAnimation animation(services);
    std::mt19937 chooser(seed);
    constexpr int kTicks = 200'000;
    for (int t = 0; t < kTicks; ++t) {
        switch (chooser() % 512) {
        case 0:
            animation.selectMode(static_cast<MotionMode>(chooser() % 3));
            break;
        case 1:
            animation.reset();
            break;
        case 2:
            for (int k = 0; k < 2 * PointField::kCount; ++k)
                services.script.push_back(chooser() % 2 ? kAlmostOne : 0.0f);
            break;
        }
        animation.tick();
        if (const std::string fault = fieldFault(animation.field()); !fault.empty())
            QFAIL(qPrintable(QStringLiteral("%1 at tick %2, seed %3")
                                 .arg(QString::fromStdString(fault))
                                 .arg(t)
                                 .arg(seed)));
    }
    QCOMPARE(services.randomsTaken, kTicks * 2 * PointField::kCount);
}

QTEST_APPLESS_MAIN(PointAnimationTest)
#include "tst_pointanimation.moc"
