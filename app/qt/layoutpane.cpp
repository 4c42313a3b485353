#include "layoutpane.h"

#include "devicepixels.h"
#include "drawingsurface.h"
#include "fillpainter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace {

// Where the text of a control is drawn.
QRect textRoom(const QWidget &child)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(&child)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    return child.contentsRect();
}

} // namespace

LayoutPane::LayoutPane(QWidget *parent) : QWidget(parent)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { followFocus(now); });
}

void LayoutPane::place(QWidget *child, Layout::ControlId id, const QStringList &texts)
{
    placed_.push_back({child, id, texts});
}

void LayoutPane::placeSurface(DrawingSurface *surface)
{
    surface_ = surface;
}

void LayoutPane::apply(const WindowLayout &layout)
{
    layout_ = layout;
    const double ratio = devicePixelRatioF();
    for (const Placed &p : placed_)
        p.child->setGeometry(DevicePixels::nearest(layout.box(p.id), ratio));
    if (surface_)
        surface_->place(layout);
    resize(DevicePixels::covering(layout.client(), ratio).size());
    update();
}

double LayoutPane::shortfall(const Placed &placed) const
{
    const QFontMetrics metrics = placed.child->fontMetrics();
    const QRect room = textRoom(*placed.child);
    double worst = 0;
    for (const QString &text : placed.texts) {
        const QRect ink = metrics.boundingRect(text);
        worst = std::max({worst, double(metrics.horizontalAdvance(text)) / room.width(),
                          double(ink.width()) / room.width(),
                          double(metrics.height()) / room.height()});
    }
    return worst;
}

double LayoutPane::textShortfall() const
{
    double worst = 0;
    for (const Placed &p : placed_)
        worst = std::max(worst, shortfall(p));
    return worst;
}

void LayoutPane::fitToText()
{
    apply(WindowLayout::fitted(logicalDpiY(), devicePixelRatioF(), [this](const WindowLayout &at) {
        apply(at);
        return textShortfall();
    }));
}

void LayoutPane::followFocus(QWidget *now)
{
    std::optional<Layout::ControlId> next;
    for (const Placed &p : placed_)
        if (p.child == now)
            next = p.id;
    if (now && now == surface_)
        next = Layout::ControlId::pct1;
    if (next == focus_)
        return;
    updateRing();
    focus_ = next;
    updateRing();
}

void LayoutPane::updateRing()
{
    if (focus_)
        update(DevicePixels::covering(layout_.ring(*focus_), devicePixelRatioF())
                   .adjusted(-1, -1, 1, 1));
}

void LayoutPane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    FillPainter::paint(painter, layout_.fills(focus_), palette(), DevicePixels::origin(*this),
                       DevicePixels::at(*this), devicePixelRatioF());
}
