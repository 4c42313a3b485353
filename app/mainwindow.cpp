#include "mainwindow.h"

#include "drawingsurface.h"
#include "layoutpane.h"
#include "layouttable.h"
#include "pushbutton.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
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

// Screen readers see the window as a frame and the layout's ground as a panel, not as fillers.
QAccessibleInterface *windowPartsFactory(const QString &, QObject *object)
{
    if (auto *window = qobject_cast<MainWindow *>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto *pane = qobject_cast<LayoutPane *>(object))
        return new QAccessibleWidget(pane, QAccessible::Pane);
    return nullptr;
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
    static const bool roles = (QAccessible::installFactory(&windowPartsFactory), true);
    Q_UNUSED(roles);
    setWindowTitle(QStringLiteral("Fizzet"));
    fitSizeToState();
    orderFocus(*this);
    services_.echoLabelOn({findChild<QWidget *>(QStringLiteral("cmd1")),
                           findChild<QWidget *>(QStringLiteral("cmd2"))});
    routeEvents();
    findChild<QWidget *>(QStringLiteral("cmd1"))->setFocus();
    palette_.initialise();
}

MainWindow::Controls MainWindow::createControls(QWidget &window)
{
    Controls controls;
    controls.pane = new LayoutPane(
        QSize(Layout::toPixels(Layout::kClientWidth), Layout::toPixels(Layout::kClientHeight)),
        &window);
    LayoutPane &pane = *controls.pane;
    for (const auto &control : Layout::kControls) {
        QObject *object = nullptr;
        switch (control.kind) {
        case Layout::Kind::PushButton: {
            auto *button = new PushButton(toQString(control.caption), &pane);
            pane.place(button, pixelRect(control), {button->text()});
            object = button;
            break;
        }
        case Layout::Kind::Timer:
            controls.tmr1 = new QTimer(&pane);
            controls.tmr1->setInterval(Layout::kTickInterval);
            controls.tmr1->setTimerType(Qt::PreciseTimer);
            object = controls.tmr1;
            break;
        case Layout::Kind::DrawingSurface:
            controls.pct1 = new DrawingSurface(pixelRect(control).size(), &pane);
            pane.place(controls.pct1, pixelRect(control), {}, true);
            object = controls.pct1;
            break;
        case Layout::Kind::FrameRect:
            pane.addFrame(pixelRect(control));
            break;
        case Layout::Kind::Label: {
            auto *label = new QLabel(toQString(control.caption), &pane);
            label->setAlignment(Qt::AlignCenter);
            QStringList texts{label->text()};
            if (control.name == "lbl1") {
                label->setFont(indexFont());
                controls.lbl1 = label;
                texts.clear();
                for (int index = 0; index <= 15; ++index)
                    texts << QString::number(index);
            }
            pane.place(label, pixelRect(control), texts);
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
    pane.fitToText();
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

// The window keeps the layout's size. Where a desktop imposes a maximised or full-screen state
// anyway, the window takes the size it is given, with the layout centred on its background, and
// returns to the layout's size afterwards. On Wayland the compositor's configured size must be
// taken as it comes, before the window hears of the new state, so there the window is never
// bounded above.
void MainWindow::fitSizeToState()
{
    const QSize layout = controls_.pane->size();
    const bool imposed = windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    if (imposed || QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        setMinimumSize(layout);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(layout);
    }
}

void MainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        fitSizeToState();
}

void MainWindow::resizeEvent(QResizeEvent *)
{
    const QSize spare = size() - controls_.pane->size();
    controls_.pane->move(std::max(0, spare.width() / 2), std::max(0, spare.height() / 2));
}
