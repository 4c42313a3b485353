#include "contrast.h"
#include "drawingsurface.h"
#include "layouttable.h"
#include "mainwindow.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <cmath>

using Layout::ControlId;

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
    void controlsSitWhereLaidOut();
    void framesOutlineTheBands_data();
    void framesOutlineTheBands();
    void tabFollowsTabIndexFromInitialFocus();
    void surfaceBlankAtStart();
    void startDrawsResetClears();
    void ruleButtonsChangeNothingVisible();
    void surfaceShowsEveryPositionAsPlotted();
    void labelShowsIndexOnItsColour_data();
    void labelShowsIndexOnItsColour();
    void keysPressTheFocusedButton_data();
    void keysPressTheFocusedButton();
    void luminanceFollowsTheDefinition();
    void focusShowsPlainlyInAnyPalette_data();
    void focusShowsPlainlyInAnyPalette();
    void controlsAnnounceThemselves();

private:
    QPushButton *button(ControlId id) const
    {
        return qobject_cast<QPushButton *>(window->widget(id));
    }
    DrawingSurface *surface() const
    {
        return qobject_cast<DrawingSurface *>(window->widget(ControlId::pct1));
    }
    QLabel *lbl1() const { return qobject_cast<QLabel *>(window->widget(ControlId::lbl1)); }
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
    connect(window->timer(), &QTimer::timeout, this, [this] { ++ticks; });
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
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!window->timer()->isActive());
    QCOMPARE(window->timer()->interval(), 25);
}

// At 96 dpi every control sits where the layout table puts it, 15 twips to the pixel.
void MainWindowTest::controlsSitWhereLaidOut()
{
    int placed = 0;
    for (const Layout::Control &control : Layout::kControls) {
        QWidget *widget = window->widget(control.id);
        if (!widget)
            continue;
        ++placed;
        const QRect expected(control.left / 15, control.top / 15, control.width / 15,
                             control.height / 15);
        QCOMPARE(widget->geometry(), expected);
        if (auto *pushButton = qobject_cast<QPushButton *>(widget))
            QCOMPARE(pushButton->text(),
                     QString::fromUtf8(control.caption.data(), qsizetype(control.caption.size())));
        if (auto *label = qobject_cast<QLabel *>(widget))
            QVERIFY(label->alignment() & Qt::AlignHCenter);
    }
    QCOMPARE(placed, 11); // 8 buttons, 2 labels, the surface
    QCOMPARE(surface()->geometry(), QRect(8, 128, 185, 129));
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
    using C = ControlId;
    QList<QWidget *> visited{QApplication::focusWidget()};
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    QList<QWidget *> expected;
    for (C id :
         {C::cmd1, C::cmd2, C::cmd3, C::cmd4, C::pct1, C::cmd7, C::cmd8, C::cmd6, C::cmd5, C::cmd1})
        expected << window->widget(id);
    QCOMPARE(visited, expected);
}

void MainWindowTest::surfaceBlankAtStart()
{
    QCOMPARE(surface()->image(), blankDrawing(*surface()));
    const QImage shown = surface()->grab().toImage();
    QCOMPARE(QColor(shown.pixel(1, 1)), surface()->palette().color(QPalette::Base));
    QCOMPARE(QColor(shown.pixel(183, 128)), surface()->palette().color(QPalette::Base));
}

void MainWindowTest::startDrawsResetClears()
{
    const QImage blank = blankDrawing(*surface());
    QTest::mouseClick(button(ControlId::cmd3), Qt::LeftButton);
    waitForTicks(3);
    QVERIFY(surface()->image() != blank);

    waitForTicks(2);
    QTest::mouseClick(button(ControlId::cmd5), Qt::LeftButton);
    QCOMPARE(surface()->image(), blank); // cleared, and nothing drawn until the next tick
    const int before = ticks;
    waitForTicks(1);
    QVERIFY(window->timer()->isActive());
    QTest::mouseClick(button(ControlId::cmd4), Qt::LeftButton);
    // After the Fall reset, n ticks plot the top n rows at most.
    const int n = ticks - before;
    const QImage after = surface()->image();
    QVERIFY(after != blank);
    QCOMPARE(after.copy(0, n, 183, 128 - n), blank.copy(0, n, 183, 128 - n));
}

void MainWindowTest::ruleButtonsChangeNothingVisible()
{
    QTest::mouseClick(button(ControlId::cmd5), Qt::LeftButton);
    const QImage before = surface()->grab().toImage();
    for (ControlId rule : {ControlId::cmd8, ControlId::cmd7, ControlId::cmd6}) {
        QTest::mouseClick(button(rule), Qt::LeftButton);
        QCOMPARE(window->animation().field().y[91], 0); // still the Fall layout
    }
    QCOMPARE(surface()->grab().toImage(), before); // only the focus ring has moved
    QCOMPARE(window->animation().mode(), MotionMode::Fall);
}

void MainWindowTest::surfaceShowsEveryPositionAsPlotted()
{
    // Under Sort the points start on the diagonal, corner to corner; one tick plots them all.
    QTest::mouseClick(button(ControlId::cmd7), Qt::LeftButton);
    QTest::mouseClick(button(ControlId::cmd5), Qt::LeftButton);
    const PointField laidOut = window->animation().field();
    QTest::mouseClick(button(ControlId::cmd3), Qt::LeftButton);
    waitForTicks(1);
    QTest::mouseClick(button(ControlId::cmd4), Qt::LeftButton);
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
    QTest::newRow("one up") << 1 << 0 << "9" << QColor(Qt::blue);
    QTest::newRow("one down") << 0 << 1 << "7" << QColor(0xC0, 0xC0, 0xC0);
}

void MainWindowTest::labelShowsIndexOnItsColour()
{
    QFETCH(int, ups);
    QFETCH(int, downs);
    QFETCH(QString, text);
    QFETCH(QColor, back);
    for (int i = 0; i < ups; ++i)
        QTest::mouseClick(button(ControlId::cmd1), Qt::LeftButton);
    for (int i = 0; i < downs; ++i)
        QTest::mouseClick(button(ControlId::cmd2), Qt::LeftButton);
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
    QCOMPARE(QApplication::focusWidget(), button(ControlId::cmd1));
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

// The label's text colour is chosen by that same luminance, which the program works out without
// the maths library.
void MainWindowTest::luminanceFollowsTheDefinition()
{
    for (int v = 0; v < 256; ++v)
        for (const Color c : {composeRgb(v, 0, 0), composeRgb(0, v, 0), composeRgb(0, 0, v)}) {
            const double expected = luminance(qRgb(redOf(c), greenOf(c), blueOf(c)));
            QVERIFY2(std::abs(Contrast::luminance(c) - expected) < 1e-12,
                     qPrintable(QString::number(c, 16)));
        }
}

void MainWindowTest::focusShowsPlainlyInAnyPalette_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("control");
    for (bool dark : {false, true})
        for (const Layout::Control &c : Layout::kControls)
            if (c.tabIndex != Layout::kNoTab && c.kind != Layout::Kind::Label)
                QTest::addRow("%s %s", dark ? "dark" : "light", c.name.data()) << dark << int(c.id);
}

// Every focusable control shows focus by pixels around it that change with at least 3:1
// contrast, in a ring, without touching a drawing position.
void MainWindowTest::focusShowsPlainlyInAnyPalette()
{
    QFETCH(bool, dark);
    QFETCH(int, control);
    const auto id = static_cast<ControlId>(control);
    window->setPalette(dark ? darkPalette() : window->style()->standardPalette());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QWidget *target = window->widget(id);
    // Focus elsewhere, far from the target, then on the target.
    window->widget(id == ControlId::cmd6 ? ControlId::cmd1 : ControlId::cmd6)->setFocus();
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
    if (id == ControlId::pct1)
        QCOMPARE(after.copy(box.adjusted(1, 1, -1, 0)), before.copy(box.adjusted(1, 1, -1, 0)));
}

void MainWindowTest::controlsAnnounceThemselves()
{
    const auto text = [](QWidget *w, QAccessible::Text t) {
        return QAccessible::queryAccessibleInterface(w)->text(t);
    };
    for (auto *b : window->findChildren<QPushButton *>()) {
        if (b == button(ControlId::cmd1) || b == button(ControlId::cmd2))
            continue;
        QCOMPARE(text(b, QAccessible::Name), b->text());
        QVERIFY2(!text(b, QAccessible::Description).isEmpty(), qPrintable(b->text()));
    }
    QCOMPARE(text(button(ControlId::cmd1), QAccessible::Name), QStringLiteral("Next basic color"));
    QCOMPARE(text(button(ControlId::cmd2), QAccessible::Name),
             QStringLiteral("Previous basic color"));
    QCOMPARE(text(lbl1(), QAccessible::Name), QStringLiteral("8, dark gray"));
    QCOMPARE(QAccessible::queryAccessibleInterface(surface())->role(), QAccessible::Canvas);
    QVERIFY(!text(surface(), QAccessible::Name).isEmpty());
    // After a step both stepper buttons carry the value now shown, for the focused one to speak.
    QTest::mouseClick(button(ControlId::cmd1), Qt::LeftButton);
    QCOMPARE(text(lbl1(), QAccessible::Name), QStringLiteral("9, blue"));
    QCOMPARE(text(button(ControlId::cmd1), QAccessible::Description), QStringLiteral("9, blue"));
    QCOMPARE(text(button(ControlId::cmd2), QAccessible::Description), QStringLiteral("9, blue"));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
