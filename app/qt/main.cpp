#include "fontwarmup.h"
#include "lastwords.h"
#include "loglimiter.h"
#include "mainwindow.h"
#include "processhygiene.h"
#include "startupguard.h"
#include "x11connection.h"

#include "fizzet-16.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTimer>

#include <cstdint>
#include <optional>
#include <utility>

namespace {

// The program's icon at SIZE x SIZE, a whole multiple of kFizzetIconSize: each pixel of the
// built-in picture becomes a square block. Its pixels are compiled in, already in the form a
// pixmap keeps, so nothing is decoded, converted or filtered on the way to the window.
QPixmap iconAt(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    const int block = size / kFizzetIconSize;
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<std::uint32_t *>(image.scanLine(y));
        for (int x = 0; x < size; ++x)
            line[x] = kFizzetIcon[y / block * kFizzetIconSize + x / block];
    }
    return QPixmap::fromImage(std::move(image));
}

// The picture the desktop entry's icons are drawn from, in whole pixels at 16, 32 and 48. Docks
// that want it larger take the desktop entry's.
QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(iconAt(size));
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    ProcessHygiene::openStandardStreams();
    LastWords::install();
    ProcessHygiene::preferLeanRuntime();
    FontWarmup fonts;
    ProcessHygiene::preventBusAutolaunch();
    LogLimiter::install();
    // Integer scale factors keep every plotted pixel a crisp square block.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    std::optional<QApplication> app;
    {
        StartupGuard guard;
        X11Connection::watchForLoss();
        app.emplace(argc, argv);
    }
    X11Connection::takeOver();
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
