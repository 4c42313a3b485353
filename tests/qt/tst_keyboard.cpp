#include "contrast.h"
#include "drawingsurface.h"
#include "layouttable.h"
#include "mainwindow.h"
#include "windowfixture.h"

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

// The focus ring in any palette: plain to see on every control it stops at.
class KeyboardTest : public QObject, WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void focusShowsPlainlyInAnyPalette_data();
    void focusShowsPlainlyInAnyPalette();
};

void KeyboardTest::init()
{
    open();
}

void KeyboardTest::cleanup()
{
    close();
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

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
