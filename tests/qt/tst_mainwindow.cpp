#include "drawingsurface.h"
#include "layouttable.h"
#include "mainwindow.h"
#include "windowfixture.h"

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
class MainWindowTest : public QObject, WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void isFixedSizeFizzetWindow();
    void controlsSitWhereLaidOut();
    void framesOutlineTheBands_data();
    void framesOutlineTheBands();
    void surfaceBlankAtStart();
    void startDrawsResetClears();
    void ruleButtonsChangeNothingVisible();
    void surfaceShowsEveryPositionAsPlotted();
    void labelShowsIndexOnItsColour_data();
    void labelShowsIndexOnItsColour();
    void staysLeftToRightInAnyDirection();

private:
    void waitForTicks(int ticks);

    int ticks = 0;
};

void MainWindowTest::init()
{
    open();
    ticks = 0;
    connect(window->timer(), &QTimer::timeout, this, [this] { ++ticks; });
}

void MainWindowTest::cleanup()
{
    close();
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
    QCOMPARE(window->timer()->interval(), Layout::kTickInterval);
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
    QCOMPARE(lbl1()->font().pointSize(), Layout::kIndexFontPoints);
    const QImage shown = lbl1()->grab().toImage();
    QCOMPARE(QColor(shown.pixel(2, 2)), back);
    // the number itself is drawn, in a colour that stands out from the background
    bool inked = false;
    for (int y = 0; y < shown.height() && !inked; ++y)
        for (int x = 0; x < shown.width() && !inked; ++x)
            inked = std::abs(QColor(shown.pixel(x, y)).lightness() - back.lightness()) > 100;
    QVERIFY(inked);
}

// Started right to left (-reverse, or a right-to-left language), the window is the same picture:
// "<", which steps down, on the left and pointing left.
void MainWindowTest::staysLeftToRightInAnyDirection()
{
    const QImage leftToRight = window->grab().toImage();
    close();
    QApplication::setLayoutDirection(Qt::RightToLeft);
    open();
    const QImage rightToLeft = window->grab().toImage();
    QApplication::setLayoutDirection(Qt::LeftToRight);
    QCOMPARE(rightToLeft, leftToRight);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
