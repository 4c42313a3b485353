#include "contrast.h"
#include "drawingsurface.h"
#include "layouttable.h"
#include "mainwindow.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>

using Layout::ControlId;

namespace {

double contrast(QRgb a, QRgb b)
{
    return Contrast::ratio(composeRgb(qRed(a), qGreen(a), qBlue(a)),
                           composeRgb(qRed(b), qGreen(b), qBlue(b)));
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

// The window from the keyboard and to assistive technology: the focus order and ring, the keys
// that press buttons, and what each control tells a screen reader.
class KeyboardTest : public QObject, WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tabFollowsTabIndexFromInitialFocus();
    void keysPressTheFocusedButton_data();
    void keysPressTheFocusedButton();
    void focusShowsPlainlyInAnyPalette_data();
    void focusShowsPlainlyInAnyPalette();
    void controlsAnnounceThemselves();
};

void KeyboardTest::init()
{
    open();
}

void KeyboardTest::cleanup()
{
    close();
}

void KeyboardTest::tabFollowsTabIndexFromInitialFocus()
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

void KeyboardTest::keysPressTheFocusedButton_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("keypad Enter") << Qt::Key_Enter;
}

void KeyboardTest::keysPressTheFocusedButton()
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

void KeyboardTest::focusShowsPlainlyInAnyPalette_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("control");
    for (bool dark : {false, true})
        for (const Layout::Control &c : Layout::kControls)
            if (Layout::takesFocus(c))
                QTest::addRow("%s %s", dark ? "dark" : "light", c.name.data()) << dark << int(c.id);
}

// Every focusable control shows focus by pixels around it that change with at least 3:1
// contrast, in a ring, without touching a drawing position.
void KeyboardTest::focusShowsPlainlyInAnyPalette()
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

void KeyboardTest::controlsAnnounceThemselves()
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

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
