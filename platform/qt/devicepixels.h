#pragma once

#include "layoutscale.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <cmath>

// Boxes of whole device pixels, laid out from a widget's origin, on a widget of logical pixels.
namespace DevicePixels {

// Where `widget`'s (0, 0) falls in its window, in device pixels; fractional between whole
// logical pixels at a fractional ratio.
inline QPointF at(const QWidget &widget)
{
    return QPointF(widget.mapTo(widget.window(), QPoint())) * widget.devicePixelRatioF();
}

// The whole device pixel that boxes laid out from `widget` are counted from.
inline QPoint origin(const QWidget &widget)
{
    return at(widget).toPoint();
}

// The device pixels `b`, counted from `from` in the window, in the logical coordinates of a
// widget at `at`: painted there, they fill exactly those device pixels.
inline QRectF toLogical(const LayoutScale::Box &b, QPoint from, QPointF at, double ratio)
{
    return {(from.x() + b.left - at.x()) / ratio, (from.y() + b.top - at.y()) / ratio,
            b.width / ratio, b.height / ratio};
}

// The logical pixels that the device pixels `b` touch, both counted from one origin.
inline QRect covering(const LayoutScale::Box &b, double ratio)
{
    constexpr double kSlack = 1e-6; // a device pixel counts as inside up to rounding error
    const auto down = [&](int device) { return int(std::floor(device / ratio + kSlack)); };
    const auto up = [&](int device) { return int(std::ceil(device / ratio - kSlack)); };
    return QRect(QPoint(down(b.left), down(b.top)),
                 QPoint(up(b.left + b.width) - 1, up(b.top + b.height) - 1));
}

// The logical pixels nearest to the device pixels `b`, both counted from one origin.
inline QRect nearest(const LayoutScale::Box &b, double ratio)
{
    const auto near = [&](int device) { return int(std::lround(device / ratio)); };
    return QRect(QPoint(near(b.left), near(b.top)),
                 QPoint(near(b.left + b.width) - 1, near(b.top + b.height) - 1));
}

} // namespace DevicePixels
