#include "mainwindow.h"

#include "drawingsurface.h"
#include "layouttable.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect pixelRect(const Layout::Control &control)
{
    using Layout::toPixels;
    return {toPixels(control.left), toPixels(control.top), toPixels(control.width),
            toPixels(control.height)};
}

QFont indexFont()
{
    QFont font(QStringLiteral("MS Sans Serif"), 18, QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Chains the keyboard focus through the focusable controls in ascending tab index.
void orderFocus(QWidget &window)
{
    std::vector<std::pair<int, QWidget *>> chain;
    for (const auto &control : Layout::kControls) {
        auto *widget = window.findChild<QWidget *>(toQString(control.name));
        if (widget && widget->focusPolicy() != Qt::NoFocus)
            chain.emplace_back(control.tabIndex, widget);
    }
    std::sort(chain.begin(), chain.end());
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1].second, chain[i].second);
}

} // namespace

MainWindow::MainWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      controls_(createControls(*this)),
      services_(*controls_.lbl1, *controls_.tmr1, *controls_.pct1), animation_(services_),
      palette_(services_)
{
    setWindowTitle(QStringLiteral("Fizzet"));
    setFixedSize(Layout::toPixels(Layout::kClientWidth), Layout::toPixels(Layout::kClientHeight));
    orderFocus(*this);
    routeEvents();
    findChild<QWidget *>(QStringLiteral("cmd1"))->setFocus();
    palette_.initialise();
}

MainWindow::Controls MainWindow::createControls(QWidget &window)
{
    Controls controls;
    for (const auto &control : Layout::kControls) {
        QObject *object = nullptr;
        switch (control.kind) {
        case Layout::Kind::PushButton: {
            auto *button = new QPushButton(toQString(control.caption), &window);
            button->setGeometry(pixelRect(control));
            object = button;
            break;
        }
        case Layout::Kind::Timer:
            controls.tmr1 = new QTimer(&window);
            controls.tmr1->setInterval(Layout::kTickInterval);
            controls.tmr1->setTimerType(Qt::PreciseTimer);
            object = controls.tmr1;
            break;
        case Layout::Kind::DrawingSurface:
            controls.pct1 = new DrawingSurface(pixelRect(control).size(), &window);
            controls.pct1->move(pixelRect(control).topLeft());
            object = controls.pct1;
            break;
        case Layout::Kind::FrameRect:
            controls.frames.push_back(pixelRect(control));
            break;
        case Layout::Kind::Label: {
            auto *label = new QLabel(toQString(control.caption), &window);
            label->setGeometry(pixelRect(control));
            label->setAlignment(Qt::AlignCenter);
            if (control.name == "lbl1") {
                label->setFont(indexFont());
                controls.lbl1 = label;
            }
            object = label;
            break;
        }
        }
        if (object)
            object->setObjectName(toQString(control.name));
        if (auto *widget = qobject_cast<QWidget *>(object)) {
            if (!control.accessibleName.empty())
                widget->setAccessibleName(toQString(control.accessibleName));
            widget->setAccessibleDescription(toQString(control.accessibleDescription));
        }
    }
    return controls;
}

void MainWindow::routeEvents()
{
    const std::pair<const char *, std::function<void()>> clicks[] = {
        {"cmd1", [this] { palette_.stepUp(); }},
        {"cmd2", [this] { palette_.stepDown(); }},
        {"cmd3", [this] { animation_.start(); }},
        {"cmd4", [this] { animation_.stop(); }},
        {"cmd5", [this] { animation_.reset(); }},
        {"cmd6", [this] { animation_.selectMode(MotionMode::Fall); }},
        {"cmd7", [this] { animation_.selectMode(MotionMode::Sort); }},
        {"cmd8", [this] { animation_.selectMode(MotionMode::Wind); }},
    };
    for (const auto &[name, handler] : clicks)
        connect(findChild<QPushButton *>(QLatin1String(name)), &QPushButton::clicked, this,
                handler);
    connect(controls_.tmr1, &QTimer::timeout, this, &MainWindow::onTick);
}

void MainWindow::onTick()
{
    animation_.tick();
    controls_.pct1->flush();
}

// The frame rectangles: one-pixel outlines in the window-text colour, beneath the controls.
void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText);
    for (const QRect &frame : controls_.frames) {
        painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), 1), ink);
        painter.fillRect(QRect(frame.left(), frame.bottom(), frame.width(), 1), ink);
        painter.fillRect(QRect(frame.left(), frame.top(), 1, frame.height()), ink);
        painter.fillRect(QRect(frame.right(), frame.top(), 1, frame.height()), ink);
    }
}
