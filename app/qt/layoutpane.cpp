#include "layoutpane.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDesignDpi = 96.0;

QRect toRect(const LayoutScale::Box &b)
{
    return QRect(b.left, b.top, b.width, b.height);
}

QRect scaledBox(const LayoutScale::Box &at96, LayoutPane::Scaling scaling, double scale)
{
    return toRect(scaling == LayoutPane::Outlined ? LayoutScale::outline(at96, scale)
                                                  : LayoutScale::area(at96, scale));
}

void outline(QPainter &painter, const LayoutScale::Box &box, int width, const QColor &ink)
{
    for (const LayoutScale::Box &side : LayoutScale::sides(box, width))
        painter.fillRect(toRect(side), ink);
}

LayoutScale::Box toBox(const QRect &r)
{
    return {r.left(), r.top(), r.width(), r.height()};
}

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

LayoutPane::LayoutPane(QSize at96, QWidget *parent) : QWidget(parent), at96_(at96)
{
    resize(at96);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { followFocus(now); });
}

void LayoutPane::place(QWidget *child, const LayoutScale::Box &at96, const QStringList &texts,
                       Scaling scaling)
{
    placed_.push_back({child, at96, texts, scaling});
    child->setGeometry(scaledBox(at96, scaling, scale_));
}

void LayoutPane::applyScale(double scale)
{
    scale_ = scale;
    for (const Placed &p : placed_)
        p.child->setGeometry(scaledBox(p.at96, p.scaling, scale));
    resize(scaledBox({0, 0, at96_.width(), at96_.height()}, ByArea, scale).size());
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

double LayoutPane::blockShortfall(int block) const
{
    // At a fractional ratio the blocks start on a whole device pixel, which may cost one at
    // either end.
    const double ratio = devicePixelRatioF();
    const int alignment = ratio == std::floor(ratio) ? 0 : 2;
    const QSize room = blocks_->contentsRect().size();
    return std::max((positions_.width() * block + alignment) / (room.width() * ratio),
                    (positions_.height() * block + alignment) / (room.height() * ratio));
}

void LayoutPane::fitToText()
{
    double scale = std::max(1.0, logicalDpiY() / kDesignDpi);
    applyScale(scale);
    // Margins around a text do not grow with the scale, so a few rounds settle it.
    for (int round = 0; round < 8; ++round) {
        double worst = 0;
        for (const Placed &p : placed_)
            worst = std::max(worst, shortfall(p));
        if (worst <= 1.0)
            break;
        scale *= worst * 1.01;
        applyScale(scale);
    }
    if (!blocks_)
        return;
    const int least = static_cast<int>(std::ceil(devicePixelRatioF() - 1e-6));
    for (int round = 0; round < 8; ++round) {
        const double missing = blockShortfall(least);
        if (missing <= 1.0)
            return;
        scale *= missing;
        applyScale(scale);
    }
}

void LayoutPane::followFocus(QWidget *now)
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

QRect LayoutPane::ringAround(const QWidget &control) const
{
    return toRect(LayoutScale::ringAround(toBox(control.geometry())));
}

void LayoutPane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText);
    for (const LayoutScale::Box &frame : frames_)
        outline(painter, LayoutScale::outline(frame, scale_), 1, ink);
    if (ringed_)
        outline(painter, toBox(ringAround(*ringed_)), LayoutScale::kRingWidth, ink);
}
