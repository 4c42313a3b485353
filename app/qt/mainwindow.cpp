#include "mainwindow.h"

#include "drawingsurface.h"
#include "layoutpane.h"
#include "pushbutton.h"
#include "valuelabel.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Layout::ControlId;

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The texts the control must have room for.
QStringList textsOf(const Layout::Control &control)
{
    QStringList texts;
    for (const std::string_view text : Layout::textsToFit(control))
        texts << toQString(text);
    return texts;
}

// The family, its stand-ins, then the system's sans-serif face.
QFont toQFont(const Layout::Font &from)
{
    QStringList families{toQString(from.family)};
    for (const std::string_view standIn : from.standIns)
        families << toQString(standIn);
    QFont font;
    font.setFamilies(families);
    font.setPointSize(from.points);
    font.setWeight(QFont::Normal);
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

} // namespace

MainWindow::MainWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      controls_(createControls()), services_(*controls_.lbl1, *controls_.tmr1, *controls_.pct1),
      form_(services_)
{
    static const bool roles = (QAccessible::installFactory(&windowPartsFactory), true);
    Q_UNUSED(roles);
    setWindowTitle(toQString(Layout::kTitle));
    // A fixed layout whose arrows point the way they step, whatever the language's direction.
    setLayoutDirection(Qt::LeftToRight);
    fitSizeToState();
    std::vector<QWidget *> echoes;
    for (const Layout::Control &c : Layout::kControls)
        if (c.value == Layout::Value::Echoed)
            echoes.push_back(widget(c.id));
    services_.echoLabelOn(std::move(echoes));
    routeEvents();
    widget(Layout::kInitialFocus)->setFocus();
    form_.load();
}

MainWindow::Controls MainWindow::createControls()
{
    Controls controls;
    controls.pane = new LayoutPane(this);
    for (const auto &control : Layout::kControls)
        if (QWidget *widget = createControl(control, controls)) {
            widgets_[Layout::indexOf(control.id)] = widget;
            describe(*widget, control);
        }
    controls.pane->fitToText();
    QWidget *previous = nullptr;
    for (const ControlId id : Layout::focusOrder()) {
        if (previous)
            QWidget::setTabOrder(previous, widget(id));
        previous = widget(id);
    }
    return controls;
}

// The widget for a control, placed on the pane; none for the timer and the frames, which the
// pane paints.
QWidget *MainWindow::createControl(const Layout::Control &control, Controls &controls)
{
    LayoutPane &pane = *controls.pane;
    switch (control.kind) {
    case Layout::Kind::PushButton: {
        auto *button = new PushButton(toQString(control.caption), &pane);
        pane.place(button, control.id, textsOf(control));
        return button;
    }
    case Layout::Kind::Timer:
        controls.tmr1 = new QTimer(this);
        controls.tmr1->setInterval(Layout::kTickInterval);
        controls.tmr1->setTimerType(Qt::PreciseTimer);
        return nullptr;
    case Layout::Kind::DrawingSurface:
        controls.pct1 = new DrawingSurface(&pane);
        pane.placeSurface(controls.pct1);
        return controls.pct1;
    case Layout::Kind::FrameRect:
        return nullptr;
    case Layout::Kind::Label:
        return createLabel(control, controls);
    }
    return nullptr;
}

// A label, or the label that shows the stepper's value on its colour.
QLabel *MainWindow::createLabel(const Layout::Control &control, Controls &controls)
{
    QLabel *label = nullptr;
    if (control.value == Layout::Value::Shown)
        label = controls.lbl1 = new ValueLabel(toQString(control.caption), controls.pane);
    else
        label = new QLabel(toQString(control.caption), controls.pane);
    label->setAlignment(Qt::AlignCenter);
    if (control.font)
        label->setFont(toQFont(*control.font));
    controls.pane->place(label, control.id, textsOf(control));
    return label;
}

void MainWindow::describe(QWidget &widget, const Layout::Control &control)
{
    widget.setObjectName(toQString(control.name));
    widget.setFocusPolicy(Layout::takesFocus(control) ? Qt::StrongFocus : Qt::NoFocus);
    if (!control.accessibleName.empty())
        widget.setAccessibleName(toQString(control.accessibleName));
    widget.setAccessibleDescription(toQString(control.accessibleDescription));
}

const WindowLayout &MainWindow::layout() const
{
    return controls_.pane->layout();
}

void MainWindow::routeEvents()
{
    for (const auto &control : Layout::kControls)
        if (control.kind == Layout::Kind::PushButton)
            connect(static_cast<PushButton *>(widget(control.id)), &PushButton::clicked, this,
                    [this, id = control.id] { form_.click(id); });
    connect(controls_.tmr1, &QTimer::timeout, this, &MainWindow::onTick);
}

void MainWindow::onTick()
{
    form_.tick();
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

// On a screen of another device pixel ratio or dpi the layout is fitted again, and the window's
// size and its limits are told to the window system afresh even where they stay the same in
// logical pixels: there they stand for other device pixels.
void MainWindow::fitToScreen()
{
    controls_.pane->fitToText();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    fitSizeToState();
    windowHandle()->resize(size());
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!std::exchange(followsScreens_, true))
        connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::fitToScreen);
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
