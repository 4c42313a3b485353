// The yardstick of bench/compare.sh: the same window done the plain way, captioned "Fizzet
// plain". Qt widgets at the layout's places, the points falling at 40 ticks a second, and the
// whole surface repainted through update() on every tick. "Reset" and "Start" work; nothing
// else is wired.
#include "layouttable.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <array>

namespace {

class Surface : public QWidget
{
public:
    using QWidget::QWidget;
    QImage image{183, 128, QImage::Format_RGB32};

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(1, 1, image);
    }
};

QRect pixels(const Layout::Control &c)
{
    const int p = Layout::kTwipsPerPixel;
    return {c.left / p, c.top / p, c.width / p, c.height / p};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Fizzet plain"));
    window.setFixedSize(Layout::kClientWidth / Layout::kTwipsPerPixel,
                        Layout::kClientHeight / Layout::kTwipsPerPixel);
    Surface *surface = nullptr;
    std::array<QPushButton *, 8> buttons{};
    for (const Layout::Control &c : Layout::kControls) {
        const QString caption = QString::fromUtf8(c.caption.data(), qsizetype(c.caption.size()));
        QWidget *w = nullptr;
        if (c.kind == Layout::Kind::PushButton)
            w = buttons[std::size_t(c.id)] = new QPushButton(caption, &window);
        else if (c.kind == Layout::Kind::Label)
            w = new QLabel(caption, &window);
        else if (c.kind == Layout::Kind::DrawingSurface)
            w = surface = new Surface(&window);
        if (w)
            w->setGeometry(pixels(c));
    }

    std::array<int, 183> xs{}, ys{};
    const auto reset = [&] {
        surface->image.fill(Qt::white);
        for (int i = 0; i < 183; ++i)
            xs[i] = i, ys[i] = 0;
        surface->update();
    };
    reset();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *random = QRandomGenerator::global();
        for (int i = 0; i < 183; ++i) {
            const int green = int(random->generateDouble() * 256);
            surface->image.setPixel(xs[i], ys[i], qRgb(ys[i] * 2, green, xs[i] * 255 / 182));
            ys[i] = (ys[i] + int(random->generateDouble() * 2)) % 128;
        }
        surface->update();
    });
    QObject::connect(buttons[std::size_t(Layout::ControlId::cmd5)], &QPushButton::clicked, reset);
    QObject::connect(buttons[std::size_t(Layout::ControlId::cmd3)], &QPushButton::clicked,
                     [&] { timer.start(Layout::kTickInterval); });
    window.show();
    return QApplication::exec();
}
