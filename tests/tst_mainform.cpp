#include "fakeruntimeservices.h"
#include "mainform.h"

#include <QTest>

using Layout::ControlId;

// Each control's event reaches its handler, whatever toolkit raised it.
class MainFormTest : public QObject
{
    Q_OBJECT

private slots:
    void loadShowsEight();
    void clicksReachTheirHandlers_data();
    void clicksReachTheirHandlers();
};

void MainFormTest::loadShowsEight()
{
    FakeRuntimeServices services;
    MainForm form(services);
    QCOMPARE(form.paletteStepper().index(), 0);
    form.load();
    QCOMPARE(form.paletteStepper().index(), 8);
}

void MainFormTest::clicksReachTheirHandlers_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("call"); // the platform call the click makes; empty for none
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("mode");
    const auto row = [](const char *tag, ControlId id, const char *call, int index,
                        MotionMode mode) {
        QTest::newRow(tag) << int(id) << QString(call) << index << int(mode);
    };
    row("cmd1 >", ControlId::cmd1, "setCaption lbl1 9", 9, MotionMode::Fall);
    row("cmd2 <", ControlId::cmd2, "setCaption lbl1 7", 7, MotionMode::Fall);
    row("cmd3 Start", ControlId::cmd3, "setTimerEnabled tmr1 on", 8, MotionMode::Fall);
    row("cmd4 Stop", ControlId::cmd4, "setTimerEnabled tmr1 off", 8, MotionMode::Fall);
    row("cmd5 Reset", ControlId::cmd5, "clearSurface pct1", 8, MotionMode::Fall);
    row("cmd6 Fall", ControlId::cmd6, "", 8, MotionMode::Fall);
    row("cmd7 Sort", ControlId::cmd7, "", 8, MotionMode::Sort);
    row("cmd8 Wind", ControlId::cmd8, "", 8, MotionMode::Wind);
    row("lbl1 has no click", ControlId::lbl1, "", 8, MotionMode::Fall);
    row("pct1 has no click", ControlId::pct1, "", 8, MotionMode::Fall);
}

void MainFormTest::clicksReachTheirHandlers()
{
    QFETCH(int, control);
    QFETCH(QString, call);
    QFETCH(int, index);
    QFETCH(int, mode);
    FakeRuntimeServices services;
    MainForm form(services);
    form.load();
    form.click(ControlId::cmd8); // away from the starting rule, so Fall is seen to be chosen
    form.click(ControlId::cmd6);
    services.calls.clear();
    form.click(static_cast<ControlId>(control));
    if (call.isEmpty())
        QVERIFY(services.calls.empty());
    else
        QCOMPARE(QString::fromStdString(services.calls.front()), call);
    QCOMPARE(form.paletteStepper().index(), index);
    QCOMPARE(int(form.animation().mode()), mode);
}

QTEST_APPLESS_MAIN(MainFormTest)
#include "tst_mainform.moc"
