#pragma once

#include "devicepixels.h"
#include "qtcolor.h"
#include "windowlayout.h"

#include <QPainter>
#include <QPalette>

// The window's fills on a widget: each box of device pixels in its system colour, as the palette
// has it now.
namespace FillPainter {

// `from`: the window's device pixel the layout is counted from; `at`: where the widget's (0, 0)
// falls, in device pixels.
inline void paint(QPainter &painter, const WindowLayout::Fills &fills, const QPalette &palette,
                  QPoint from, QPointF at, double ratio)
{
    for (const WindowLayout::Fill &fill : fills)
        painter.fillRect(DevicePixels::toLogical(fill.box, from, at, ratio),
                         palette.color(paletteRole(fill.color)));
}

} // namespace FillPainter
