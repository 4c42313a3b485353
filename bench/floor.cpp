// The floor: the least any window ticking 40 times a second can cost. A bare Qt window of
// Fizzet's size, captioned "Fizzet floor", whose 25 ms timer does nothing.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Fizzet floor"));
    window.setFixedSize(199, 311);
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start(25);
    window.show();
    return QApplication::exec();
}
