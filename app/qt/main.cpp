#include "fontwarmup.h"
#include "lastwords.h"
#include "loglimiter.h"
#include "mainwindow.h"
#include "processhygiene.h"
#include "startupguard.h"
#include "x11connection.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <optional>

namespace {

// The desktop entry's icon at 16, 32 and 48 pixels, built into the program. Docks that want it
// larger take the desktop entry's.
QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/org.fizzet.Fizzet-%1.png").arg(size));
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    ProcessHygiene::openStandardStreams();
    ProcessHygiene::oneHeap();
    LastWords::install();
    ProcessHygiene::preventBusAutolaunch();
    LogLimiter::install();
    // Integer scale factors keep every plotted pixel a crisp square block.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    std::optional<QApplication> app;
    {
        StartupGuard guard;
        // What the font library says while reading its configuration is judged with the rest.
        FontWarmup fonts;
        X11Connection::watchForLoss();
        app.emplace(argc, argv);
        fonts.finish();
    }
    X11Connection::takeOver();
    if (const QString problem = StartupGuard::drawingProblem(); !problem.isEmpty())
        StartupGuard::fail(problem);
    QApplication::setApplicationVersion(QStringLiteral(FIZZET_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(FIZZET_APP_ID));
    MainWindow window;
    window.show();
    // The icon is read once the window is up, not on the way to it.
    QTimer::singleShot(0, &window, [&window] { window.setWindowIcon(appIcon()); });
    return QApplication::exec();
}
