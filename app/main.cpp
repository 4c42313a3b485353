#include "loglimiter.h"
#include "mainwindow.h"
#include "processhygiene.h"
#include "startupguard.h"

#include <QApplication>
#include <QIcon>

#include <optional>

namespace {

// The installed theme icon where there is one, else the copies built into the program.
QIcon appIcon()
{
    QIcon builtIn;
    for (int size : {16, 32, 48, 256})
        builtIn.addFile(QStringLiteral(":/icons/" FIZZET_APP_ID "-%1.png").arg(size));
    return QIcon::fromTheme(QStringLiteral(FIZZET_APP_ID), builtIn);
}

} // namespace

int main(int argc, char *argv[])
{
    ProcessHygiene::openStandardStreams();
    ProcessHygiene::preventBusAutolaunch();
    LogLimiter::install();
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
    QApplication::setWindowIcon(appIcon());
    MainWindow window;
    window.show();
    return QApplication::exec();
}
