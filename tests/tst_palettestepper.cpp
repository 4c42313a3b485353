#include "fakeruntimeservices.h"
#include "palettestepper.h"

#include <QTest>

namespace {

std::vector<std::string> shown(FakeRuntimeServices &services, int index)
{
    return {"setCaption lbl1 " + std::to_string(index),
            "setBackColor lbl1 " + std::to_string(services.basicPaletteColor(index))};
}

} // namespace

// Stepping through the basic colours and showing each on the label.
class PaletteStepperTest : public QObject
{
    Q_OBJECT

private slots:
    void isZeroUntilInitialised();
    void initialiseShowsEightCaptionFirst();
    void stepsStopAtTheEnds_data();
    void stepsStopAtTheEnds();
};

void PaletteStepperTest::isZeroUntilInitialised()
{
    FakeRuntimeServices services;
    PaletteStepper stepper(services);
    QCOMPARE(stepper.index(), 0);
    QVERIFY(services.calls.empty());
}

void PaletteStepperTest::initialiseShowsEightCaptionFirst()
{
    FakeRuntimeServices services;
    PaletteStepper stepper(services);
    stepper.initialise();
    QCOMPARE(stepper.index(), 8);
    QCOMPARE(services.calls, shown(services, 8));
}

void PaletteStepperTest::stepsStopAtTheEnds_data()
{
    QTest::addColumn<QString>("presses");
    QTest::addColumn<int>("index");
    QTest::newRow("seven up reach 15") << QString(7, '>') << 15;
    QTest::newRow("more up stay at 15") << QString(12, '>') << 15;
    QTest::newRow("eight down reach 0") << QString(8, '<') << 0;
    QTest::newRow("more down stay at 0") << QString(20, '<') << 0;
    QTest::newRow("no wrap from 15") << QString(9, '>') + '<' << 14;
    QTest::newRow("no wrap from 0") << QString(9, '<') + '>' << 1;
    QTest::newRow("there and back") << QStringLiteral("><<>") << 8;
    QTest::newRow("whole range") << QString(10, '<') + QString(15, '>') << 15;
}

void PaletteStepperTest::stepsStopAtTheEnds()
{
    QFETCH(QString, presses);
    QFETCH(int, index);
    FakeRuntimeServices services;
    PaletteStepper stepper(services);
    stepper.initialise();
    for (QChar press : presses) {
        press == '>' ? stepper.stepUp() : stepper.stepDown();
        QVERIFY(stepper.index() >= 0 && stepper.index() <= 15);
    }
    QCOMPARE(stepper.index(), index);
    // Every press shows the index, also one that stays put at an end.
    QCOMPARE(services.calls.size(), 2 * (1 + static_cast<std::size_t>(presses.size())));
    const auto last = shown(services, index);
    QCOMPARE(std::vector(services.calls.end() - 2, services.calls.end()), last);
}

QTEST_APPLESS_MAIN(PaletteStepperTest)
#include "tst_palettestepper.moc"
