#include "drawingsurface.h"
#include "mainwindow.h"

#include <QPushButton>
#include <QTest>

// Window states that a desktop may impose on the fixed-size window (a title bar's maximise, a
// full-screen shortcut): the window takes the size it is given, keeps its layout whole and comes
// back to its own size. Run on a real compositor, this also proves the answers are accepted.
class WindowStatesTest : public QObject
{
    Q_OBJECT

private slots:
    void imposedStatesKeepLayoutAndRestore();
};

void WindowStatesTest::imposedStatesKeepLayoutAndRestore()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize own = window.size();
    auto *surface = qobject_cast<DrawingSurface *>(window.widget(Layout::ControlId::pct1));
    const QSize surfaceSize = surface->size();
    QTest::mouseClick(window.widget(Layout::ControlId::cmd3), Qt::LeftButton);

    using State = Qt::WindowState;
    for (State state : {State::WindowMaximized, State::WindowFullScreen, State::WindowNoState}) {
        window.setWindowState(state);
        QTRY_COMPARE(window.windowState(), state);
        QTest::qWait(500); // let the compositor's size arrive, and the animation run
        if (state != State::WindowNoState)
            QVERIFY2(
                window.width() >= own.width() && window.height() >= own.height(),
                qPrintable(QStringLiteral("%1 x %2").arg(window.width()).arg(window.height())));
        // the whole layout shows, at its own size, inside the window
        QCOMPARE(surface->size(), surfaceSize);
        const QRect onWindow(surface->mapTo(&window, QPoint(0, 0)), surface->size());
        QVERIFY(window.rect().contains(onWindow));
    }
    QTRY_COMPARE(window.size(), own);
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        QCOMPARE(window.minimumSize(), window.maximumSize()); // fixed size again
    QVERIFY(window.close());
}

QTEST_MAIN(WindowStatesTest)
#include "tst_windowstates.moc"
