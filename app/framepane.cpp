#include "framepane.h"

#include <QApplication>
#include <QPainter>

namespace {

void outline(QPainter &painter, const QRect &r, int width, const QColor &ink)
{
    painter.fillRect(QRect(r.left(), r.top(), r.width(), width), ink);
    painter.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), ink);
    painter.fillRect(QRect(r.left(), r.top(), width, r.height()), ink);
    painter.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), ink);
}

} // namespace

FramePane::FramePane(QWidget *parent) : QWidget(parent)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { followFocus(now); });
}

void FramePane::followFocus(QWidget *now)
{
    QWidget *next = now && now->parentWidget() == this ? now : nullptr;
    if (next == ringed_)
        return;
    if (ringed_)
        update(ringAround(*ringed_));
    ringed_ = next;
    if (ringed_)
        update(ringAround(*ringed_));
}

QRect FramePane::ringAround(const QWidget &control) const
{
    constexpr int reach = kRingGap + kRingWidth;
    return control.geometry().adjusted(-reach, -reach, reach, reach);
}

void FramePane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText);
    for (const QRect &frame : frames_)
        outline(painter, frame, 1, ink);
    if (ringed_)
        outline(painter, ringAround(*ringed_), kRingWidth, ink);
}
