#include "fontwarmup.h"
#include "loglimiter.h"
#include "mainwindow.h"
#include "processhygiene.h"
#include "startupguard.h"

#include "fizzet-16.xpm"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTimer>

#include <malloc.h>
#include <optional>

namespace {

// The program's icon, built in: the picture the desktop entry's icons are drawn from, in whole
// pixels at 16, 32 and 48. It is read as XPM source, which needs none of the image plugins a
// PNG would load. Docks that want it larger take the desktop entry's.
QIcon appIcon()
{
    const QImage picture(kFizzetIcon);
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(picture.scaled(size, size)));
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    ProcessHygiene::openStandardStreams();
    // One heap for every thread: the few allocations of the toolkit's helper threads and of the
    // font warm-up do not need arenas of their own, each holding pages the others could reuse.
    mallopt(M_ARENA_MAX, 1);
    FontWarmup fonts;
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
    fonts.finish();
    MainWindow window;
    window.show();
    // The icon is read once the window is up, not on the way to it.
    QTimer::singleShot(0, &window, [&window] { window.setWindowIcon(appIcon()); });
    return QApplication::exec();
}
