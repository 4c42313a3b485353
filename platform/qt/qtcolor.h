#pragma once

#include "color.h"

#include <QColor>
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
