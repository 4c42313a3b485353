#include "basicpalette.h"
#include "mainwindow.h"
#include "qtcolor.h"
#include "valuelabel.h"

#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <random>

using Layout::ControlId;

namespace {

// What the window's state must be after the clicks seen so far.
struct Expected
{
    int index = 8;
    MotionMode mode = MotionMode::Fall;
    bool running = false;

    void clicked(ControlId button)
    {
        switch (button) {
        case ControlId::cmd1:
            index = std::min(index + 1, 15);
            break;
        case ControlId::cmd2:
            index = std::max(index - 1, 0);
            break;
        case ControlId::cmd3:
        case ControlId::cmd4:
            running = button == ControlId::cmd3;
            break;
        case ControlId::cmd6:
        case ControlId::cmd7:
        case ControlId::cmd8:
            mode = button == ControlId::cmd6   ? MotionMode::Fall
                   : button == ControlId::cmd7 ? MotionMode::Sort
                                               : MotionMode::Wind;
            break;
        default:
            break;
        }
    }
};

// Empty when the window agrees with what is expected and keeps its invariants, else why not.
QString fault(const MainWindow &window, const Expected &expected)
{
    if (window.animation().mode() != expected.mode)
        return QStringLiteral("rule %1").arg(static_cast<int>(window.animation().mode()));
    const int index = window.paletteStepper().index();
    if (index != expected.index)
        return QStringLiteral("palette index %1, expected %2").arg(index).arg(expected.index);
    const auto *label = qobject_cast<ValueLabel *>(window.widget(ControlId::lbl1));
    if (label->text() != QString::number(index) || label->back() != BasicPalette::color(index))
        return QStringLiteral("label shows %1").arg(label->text());
    if (window.timer()->isActive() != expected.running)
        return QStringLiteral("timer %1").arg(expected.running ? "stopped" : "running");
    return {};
}

} // namespace

// The window under abuse: storms of random input, and a long run ended by closing.
class StressTest : public QObject
{
    Q_OBJECT

private slots:
    void randomInputStormKeepsInvariants();
    void thousandTicksThenClose();
};

void StressTest::randomInputStormKeepsInvariants()
{
    // FIZZET_STORM_SEED replays a storm.
    const unsigned seed = qEnvironmentVariableIsSet("FIZZET_STORM_SEED")
                              ? qEnvironmentVariable("FIZZET_STORM_SEED").toUInt()
                              : std::random_device{}();
    std::mt19937 random(seed);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

    MainWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *timer = window.timer();
    timer->setInterval(2); // a dozen ticks in each pause while it runs
    int ticks = 0;
    connect(timer, &QTimer::timeout, this, [&] { ++ticks; });
    QList<QPushButton *> buttons;
    for (const Layout::Control &c : Layout::kControls)
        if (c.kind == Layout::Kind::PushButton)
            buttons << qobject_cast<QPushButton *>(window.widget(c.id));
    const Qt::Key keys[] = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Space,
                            Qt::Key_Return, Qt::Key_Escape,  Qt::Key_Left,  Qt::Key_Down,
                            Qt::Key_A,      Qt::Key_Q,       Qt::Key_F4,    Qt::Key_Delete};

    // Follows the clicks the buttons report, however they came about.
    Expected expected;
    for (const Layout::Control &c : Layout::kControls)
        if (c.kind == Layout::Kind::PushButton)
            connect(qobject_cast<QPushButton *>(window.widget(c.id)), &QPushButton::clicked, this,
                    [&expected, id = c.id] { expected.clicked(id); });
    constexpr int kEvents = 4000;
    int clicks = 0, presses = 0, waits = 0;
    for (int event = 0; event < kEvents; ++event) {
        QString action;
        switch (below(16)) {
        case 0: { // a pause, with ticks when the animation runs
            QEventLoop pause;
            QTimer::singleShot(26, &pause, &QEventLoop::quit);
            pause.exec();
            ++waits;
            action = QStringLiteral("wait");
            break;
        }
        case 1:
        case 2: { // anywhere in the window
            const QPoint at(below(window.width()), below(window.height()));
            QWidget *target = window.childAt(at);
            target = target ? target : &window;
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&window, at));
            ++clicks;
            action = QStringLiteral("click at %1,%2").arg(at.x()).arg(at.y());
            break;
        }
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8: { // a key on whatever has the focus
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            const Qt::Key key = keys[below(std::size(keys))];
            QTest::keyClick(focus, key);
            ++presses;
            action = QStringLiteral("key %1 on %2").arg(key).arg(focus->objectName());
            break;
        }
        default: { // a button
            QPushButton *button = buttons[below(static_cast<int>(buttons.size()))];
            QTest::mouseClick(button, Qt::LeftButton);
            ++clicks;
            action = QStringLiteral("click on %1").arg(button->objectName());
            break;
        }
        }
        const QString why = fault(window, expected);
        QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("after event %1 (%2): %3; replay with "
                                                          "FIZZET_STORM_SEED=%4")
                                               .arg(event)
                                               .arg(action, why)
                                               .arg(seed)));
        if (event % 250 == 0) { // still responsive: a queued call comes through
            bool answered = false;
            QTimer::singleShot(0, &window, [&] { answered = true; });
            QTRY_VERIFY2(answered, qPrintable(QStringLiteral("seed %1").arg(seed)));
        }
    }
    QVERIFY(window.isVisible());
    qInfo("storm seed %u: %d clicks, %d key presses, %d waits, %d ticks", seed, clicks, presses,
          waits, ticks);
}

void StressTest::thousandTicksThenClose()
{
    auto *window = new MainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *timer = window->timer();
    timer->setInterval(1); // a thousand ticks in about a second
    QEventLoop loop;       // runs until the thousandth tick, or gives up after 30 s
    int ticks = 0;
    connect(timer, &QTimer::timeout, &loop, [&] {
        if (++ticks == 1000)
            loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    for (ControlId id : {ControlId::cmd8, ControlId::cmd5, ControlId::cmd3}) // Wind, Reset, Start
        QTest::mouseClick(window->widget(id), Qt::LeftButton);
    loop.exec();
    QCOMPARE(ticks, 1000);
    bool destroyed = false;
    connect(window, &QObject::destroyed, this, [&] { destroyed = true; });
    QVERIFY(window->close());
    QTRY_VERIFY(destroyed);
    const int atClose = ticks; // no tick comes once the window is gone
    QTest::qWait(50);
    QCOMPARE(ticks, atClose);
}

QTEST_MAIN(StressTest)
#include "tst_stress.moc"
