#include "drawingsurface.h"
#include "layouttable.h"
#include "mainwindow.h"
#include "windowfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

using Layout::ControlId;

// The Qt window's own part, beyond what the end-to-end scenario sees: its kind of window, the
// rule buttons leaving the picture alone, and its direction.
class MainWindowTest : public QObject, WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void isFixedSizeFizzetWindow();
    void ruleButtonsChangeNothingVisible();
    void staysLeftToRightInAnyDirection();
};

void MainWindowTest::init()
{
    open();
}

void MainWindowTest::cleanup()
{
    close();
}

void MainWindowTest::isFixedSizeFizzetWindow()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Fizzet"));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!window->timer()->isActive());
    QCOMPARE(window->timer()->interval(), Layout::kTickInterval);
    QVERIFY(lbl1()->alignment() & Qt::AlignHCenter);
    QCOMPARE(lbl1()->font().pointSize(), Layout::kIndexFont.points);
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
