#include "mainwindow.h"
#include "startup.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

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
    const auto app = Startup::start(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(FIZZET_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(FIZZET_APP_ID));
    MainWindow window;
    window.show();
    // The icon is read once the window is up, not on the way to it.
    QTimer::singleShot(0, &window, [&window] { window.setWindowIcon(appIcon()); });
    return QApplication::exec();
}
