#pragma once

#include "color.h"
#include "layouttable.h"

#include <QColor>
#include <QPalette>
#include <QRgb>

// The one place where the program's 0x00BBGGRR colours meet Qt's 0xAARRGGBB.
constexpr QRgb toQRgb(Color c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}
inline QColor toQColor(Color c)
{
    return QColor::fromRgb(toQRgb(c));
}
// The word of a QImage::Format_RGB32 pixel, for a PixelSink.
struct QtPixel
{
    static constexpr QRgb word(Color c) { return 0xFF000000u | swapRedBlue(c); }
};
// The palette's colour for each of the window's system colours.
constexpr QPalette::ColorRole paletteRole(Layout::SystemColor color)
{
    switch (color) {
    case Layout::SystemColor::Face:
        return QPalette::Window;
    case Layout::SystemColor::Window:
        return QPalette::Base;
    case Layout::SystemColor::WindowText:
        break;
    }
    return QPalette::WindowText;
}
