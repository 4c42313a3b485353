#include "fontwarmup.h"
#include "loglimiter.h"
#include "mainwindow.h"
#include "processhygiene.h"
#include "startupguard.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <optional>

namespace {

// The program's icon, built in: the same pictures the desktop entry names, without searching
// the icon themes. Docks that want it larger take the desktop entry's.
QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/" FIZZET_APP_ID "-%1.png").arg(size));
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    ProcessHygiene::openStandardStreams();
    FontWarmup fonts;
    ProcessHygiene::preventBusAutolaunch();
    LogLimiter::install();
    ProcessHygiene::preferPlainX11Transfers();
    // Integer scale factors keep every plotted pixel a crisp square block.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    std::optional<QApplication> app;
    {
        StartupGuard guard;
        app.emplace(argc, argv);
    }
    if (const QString problem = StartupGuard::drawingProblem(); !problem.isEmpty())
        StartupGuard::fail(problem);
    QApplication::setApplicationVersion(QStringLiteral(FIZZET_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(FIZZET_APP_ID));
    fonts.finish();
    MainWindow window;
    window.show();
    // The icon is read once the window is up, not on the way to it.
    QTimer::singleShot(0, &window, [&window] { window.setWindowIcon(appIcon()); });
    return QApplication::exec();
}
