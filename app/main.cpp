#include "mainwindow.h"
#include "startupguard.h"

#include <QApplication>

#include <optional>

int main(int argc, char *argv[])
{
    // Integer scale factors keep every plotted pixel a crisp square block.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    std::optional<QApplication> app;
    {
        StartupGuard guard;
        app.emplace(argc, argv);
    }
    MainWindow window;
    window.show();
    return QApplication::exec();
}
