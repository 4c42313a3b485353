#include "drawingsurface.h"
#include "mainwindow.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace {

QImage blankDrawing(const DrawingSurface &surface)
{
    QImage blank(surface.drawingSize(), QImage::Format_RGB32);
    blank.fill(surface.palette().color(QPalette::Base));
    return blank;
}

} // namespace

// The window as a user meets it: its controls, focus, and what clicks do.
class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void isFixedSizeFizzetWindow();
    void controlsSitWhereLaidOut_data();
    void controlsSitWhereLaidOut();
    void framesOutlineTheBands_data();
    void framesOutlineTheBands();
    void tabFollowsTabIndexFromInitialFocus();
    void surfaceBlankAtStart();
    void startDrawsStopFreezesResetClears();
    void ruleButtonsChangeNothingVisible();
    void surfaceShowsEveryPositionAsPlotted();
    void labelShowsIndexOnItsColour_data();
    void labelShowsIndexOnItsColour();
    void keysPressTheFocusedButton_data();
    void keysPressTheFocusedButton();
    void focusShowsPlainlyInAnyPalette_data();
    void focusShowsPlainlyInAnyPalette();
    void controlsAnnounceThemselves();

private:
    QPushButton *button(const char *name) const
    {
        return window->findChild<QPushButton *>(QLatin1String(name));
    }
    DrawingSurface *surface() const
    {
        return window->findChild<DrawingSurface *>(QStringLiteral("pct1"));
    }
    QLabel *lbl1() const { return window->findChild<QLabel *>(QStringLiteral("lbl1")); }
    void waitForTicks(int ticks);

    MainWindow *window = nullptr;
    int ticks = 0;
};

void MainWindowTest::init()
{
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    ticks = 0;
    connect(window->findChild<QTimer *>(QStringLiteral("tmr1")), &QTimer::timeout, this,
            [this] { ++ticks; });
}

void MainWindowTest::cleanup()
{
    delete window;
    window = nullptr;
}

void MainWindowTest::waitForTicks(int count)
{
    const int target = ticks + count;
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= target, 5000);
}

void MainWindowTest::isFixedSizeFizzetWindow()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Fizzet"));
    QCOMPARE(window->size(), QSize(199, 311));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!window->findChild<QTimer *>(QStringLiteral("tmr1"))->isActive());
    QCOMPARE(window->findChild<QTimer *>(QStringLiteral("tmr1"))->interval(), 25);
}

void MainWindowTest::controlsSitWhereLaidOut_data()
{
    QTest::addColumn<QString>("caption"); // the data tag is the control's name
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("cmd1") << ">" << QRect(152, 16, 33, 33);
    QTest::newRow("cmd2") << "<" << QRect(16, 16, 33, 33);
    QTest::newRow("cmd3") << "Start" << QRect(16, 88, 41, 33);
    QTest::newRow("cmd4") << "Stop" << QRect(144, 88, 41, 33);
    QTest::newRow("cmd5") << "Reset" << QRect(80, 88, 41, 33);
    QTest::newRow("cmd6") << "Fall" << QRect(16, 264, 41, 33);
    QTest::newRow("cmd7") << "Sort" << QRect(80, 264, 41, 33);
    QTest::newRow("cmd8") << "Wind" << QRect(144, 264, 41, 33);
    QTest::newRow("Label1") << "Basic Windows colors" << QRect(16, 56, 169, 17);
    QTest::newRow("lbl1") << "8" << QRect(56, 16, 89, 33);
    QTest::newRow("pct1") << "" << QRect(8, 128, 185, 129);
}

void MainWindowTest::controlsSitWhereLaidOut()
{
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    auto *widget = window->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    if (auto *pushButton = qobject_cast<QPushButton *>(widget))
        QCOMPARE(pushButton->text(), caption);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QCOMPARE(label->text(), caption);
        QVERIFY(label->alignment() & Qt::AlignHCenter);
    }
}

void MainWindowTest::framesOutlineTheBands_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("line");
    QTest::newRow("shp1 top-left") << QPoint(8, 8) << true;
    QTest::newRow("shp1 right") << QPoint(192, 40) << true;
    QTest::newRow("shp1/shp2 shared line") << QPoint(100, 80) << true;
    QTest::newRow("shp2 left") << QPoint(8, 100) << true;
    QTest::newRow("Shape1 bottom") << QPoint(100, 304) << true;
    QTest::newRow("Shape1 left") << QPoint(8, 280) << true;
    QTest::newRow("surface top edge") << QPoint(100, 128) << true;
    QTest::newRow("inside shp1") << QPoint(100, 52) << false;
    QTest::newRow("outside the frames") << QPoint(4, 4) << false;
    QTest::newRow("below Shape1") << QPoint(100, 308) << false;
}

void MainWindowTest::framesOutlineTheBands()
{
    QFETCH(QPoint, at);
    QFETCH(bool, line);
    const QImage shot = window->grab().toImage();
    const QColor ink = window->palette().color(QPalette::WindowText);
    QCOMPARE(QColor(shot.pixel(at)) == ink, line);
}

void MainWindowTest::tabFollowsTabIndexFromInitialFocus()
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"cmd1", "cmd2", "cmd3", "cmd4", "pct1", "cmd7", "cmd8", "cmd6",
                                   "cmd5", "cmd1"}));
}

void MainWindowTest::surfaceBlankAtStart()
{
    QCOMPARE(surface()->image(), blankDrawing(*surface()));
    const QImage shown = surface()->grab().toImage();
    QCOMPARE(QColor(shown.pixel(1, 1)), surface()->palette().color(QPalette::Base));
    QCOMPARE(QColor(shown.pixel(183, 128)), surface()->palette().color(QPalette::Base));
}

void MainWindowTest::startDrawsStopFreezesResetClears()
{
    const QImage blank = blankDrawing(*surface());
    QTest::mouseClick(button("cmd3"), Qt::LeftButton);
    waitForTicks(3);
    QVERIFY(surface()->image() != blank);

    QTest::mouseClick(button("cmd4"), Qt::LeftButton);
    const QImage frozen = surface()->image();
    QTest::qWait(150);
    QCOMPARE(surface()->image(), frozen);

    QTest::mouseClick(button("cmd3"), Qt::LeftButton);
    waitForTicks(2);
    QTest::mouseClick(button("cmd5"), Qt::LeftButton);
    QCOMPARE(surface()->image(), blank); // cleared, and nothing drawn until the next tick
    const int before = ticks;
    waitForTicks(1);
    QVERIFY(window->findChild<QTimer *>(QStringLiteral("tmr1"))->isActive());
    QTest::mouseClick(button("cmd4"), Qt::LeftButton);
    // After the Fall reset, n ticks plot the top n rows at most.
    const int n = ticks - before;
    const QImage after = surface()->image();
    QVERIFY(after != blank);
    QCOMPARE(after.copy(0, n, 183, 128 - n), blank.copy(0, n, 183, 128 - n));
}

void MainWindowTest::ruleButtonsChangeNothingVisible()
{
    QTest::mouseClick(button("cmd5"), Qt::LeftButton);
    const QImage before = surface()->grab().toImage();
    for (const char *name : {"cmd8", "cmd7", "cmd6"}) {
        QTest::mouseClick(button(name), Qt::LeftButton);
        QCOMPARE(window->animation().field().y[91], 0); // still the Fall layout
    }
    QCOMPARE(surface()->grab().toImage(), before); // only the focus ring has moved
    QCOMPARE(window->animation().mode(), MotionMode::Fall);
}

void MainWindowTest::surfaceShowsEveryPositionAsPlotted()
{
    // Under Sort the points start on the diagonal, corner to corner; one tick plots them all.
    QTest::mouseClick(button("cmd7"), Qt::LeftButton);
    QTest::mouseClick(button("cmd5"), Qt::LeftButton);
    const PointField laidOut = window->animation().field();
    QTest::mouseClick(button("cmd3"), Qt::LeftButton);
    waitForTicks(1);
    QTest::mouseClick(button("cmd4"), Qt::LeftButton);
    const QImage shown = surface()->grab().toImage();
    const QColor black(Qt::black);
    for (int i : {0, 91, 182})
        QCOMPARE(QColor(shown.pixel(1 + laidOut.x[i], 1 + laidOut.y[i])), black);
}

void MainWindowTest::labelShowsIndexOnItsColour_data()
{
    QTest::addColumn<int>("ups");
    QTest::addColumn<int>("downs");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("back");
    QTest::newRow("start") << 0 << 0 << "8" << QColor(0x80, 0x80, 0x80);
    QTest::newRow("top") << 9 << 0 << "15" << QColor(Qt::white);
    QTest::newRow("bottom") << 0 << 10 << "0" << QColor(Qt::black);
}

void MainWindowTest::labelShowsIndexOnItsColour()
{
    QFETCH(int, ups);
    QFETCH(int, downs);
    QFETCH(QString, text);
    QFETCH(QColor, back);
    for (int i = 0; i < ups; ++i)
        QTest::mouseClick(button("cmd1"), Qt::LeftButton);
    for (int i = 0; i < downs; ++i)
        QTest::mouseClick(button("cmd2"), Qt::LeftButton);
    QCOMPARE(lbl1()->text(), text);
    QCOMPARE(lbl1()->font().pointSize(), 18);
    const QImage shown = lbl1()->grab().toImage();
    QCOMPARE(QColor(shown.pixel(2, 2)), back);
    // the number itself is drawn, in a colour that stands out from the background
    bool inked = false;
    for (int y = 0; y < shown.height() && !inked; ++y)
        for (int x = 0; x < shown.width() && !inked; ++x)
            inked = std::abs(QColor(shown.pixel(x, y)).lightness() - back.lightness()) > 100;
    QVERIFY(inked);
}

void MainWindowTest::keysPressTheFocusedButton_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("keypad Enter") << Qt::Key_Enter;
}

void MainWindowTest::keysPressTheFocusedButton()
{
    QFETCH(Qt::Key, key);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), button("cmd1"));
    QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(lbl1()->text(), QStringLiteral("9"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), key);
    QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(lbl1()->text(), QStringLiteral("7"));

    // Held down: the key repeats, and the button is clicked once, when the key is let go.
    QWidget *held = QApplication::focusWidget();
    const auto send = [&](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(held, &event);
    };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < 10; ++i) {
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    QCOMPARE(lbl1()->text(), QStringLiteral("7"));
    send(QEvent::KeyRelease, false);
    QCOMPARE(lbl1()->text(), QStringLiteral("6"));
}

namespace {

double luminance(QRgb c)
{
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    return dark;
}

} // namespace

void MainWindowTest::focusShowsPlainlyInAnyPalette_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("control");
    for (bool dark : {false, true})
        for (const char *name :
             {"cmd1", "cmd2", "cmd3", "cmd4", "pct1", "cmd7", "cmd8", "cmd6", "cmd5"})
            QTest::addRow("%s %s", dark ? "dark" : "light", name) << dark << QString(name);
}

// Every focusable control shows focus by pixels around it that change with at least 3:1
// contrast, in a ring, without touching a drawing position.
void MainWindowTest::focusShowsPlainlyInAnyPalette()
{
    QFETCH(bool, dark);
    QFETCH(QString, control);
    window->setPalette(dark ? darkPalette() : window->style()->standardPalette());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto *target = window->findChild<QWidget *>(control);
    // Focus elsewhere, far from the target, then on the target.
    window->findChild<QWidget *>(control == "cmd6" ? "cmd1" : "cmd6")->setFocus();
    const QImage before = window->grab().toImage();
    target->setFocus();
    QVERIFY(target->hasFocus());
    const QImage after = window->grab().toImage();

    const QRect box(target->mapTo(window, QPoint(0, 0)), target->size());
    int changed = 0, weak = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            const QRgb a = before.pixel(x, y), b = after.pixel(x, y);
            if (a == b || box.adjusted(1, 1, -1, -1).contains(x, y))
                continue;
            ++changed;
            if (contrast(a, b) < 3.0)
                ++weak;
        }
    // At least a one-pixel line all round the control changes, and all of it plainly.
    QVERIFY2(changed >= 2 * (box.width() + box.height()), qPrintable(QString::number(changed)));
    QCOMPARE(weak, 0);
    // The drawing stays untouched: inside its border the surface looks the same.
    if (control == "pct1")
        QCOMPARE(after.copy(box.adjusted(1, 1, -1, 0)), before.copy(box.adjusted(1, 1, -1, 0)));
}

void MainWindowTest::controlsAnnounceThemselves()
{
    const auto text = [](QWidget *w, QAccessible::Text t) {
        return QAccessible::queryAccessibleInterface(w)->text(t);
    };
    for (auto *b : window->findChildren<QPushButton *>()) {
        if (b == button("cmd1") || b == button("cmd2"))
            continue;
        QCOMPARE(text(b, QAccessible::Name), b->text());
        QVERIFY2(!text(b, QAccessible::Description).isEmpty(), qPrintable(b->text()));
    }
    QCOMPARE(text(button("cmd1"), QAccessible::Name), QStringLiteral("Next basic color"));
    QCOMPARE(text(button("cmd2"), QAccessible::Name), QStringLiteral("Previous basic color"));
    QCOMPARE(text(lbl1(), QAccessible::Name), QStringLiteral("8, dark gray"));
    QCOMPARE(QAccessible::queryAccessibleInterface(surface())->role(), QAccessible::Canvas);
    QVERIFY(!text(surface(), QAccessible::Name).isEmpty());
    // After a step both stepper buttons carry the value now shown, for the focused one to speak.
    QTest::mouseClick(button("cmd1"), Qt::LeftButton);
    QCOMPARE(text(lbl1(), QAccessible::Name), QStringLiteral("9, blue"));
    QCOMPARE(text(button("cmd1"), QAccessible::Description), QStringLiteral("9, blue"));
    QCOMPARE(text(button("cmd2"), QAccessible::Description), QStringLiteral("9, blue"));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
