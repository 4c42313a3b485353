// What the Windows front-end computes for itself, run under Wine: the conversion of colours to
// DIB pixels.
#include "dibsurface.h"

#include <doctest/doctest.h>

TEST_CASE("colours become DIB pixels, red in the third byte, the top byte zero")
{
    using Pixel = DibSurface::Pixel;
    CHECK(Pixel::word(composeRgb(0x12, 0x34, 0x56)) == 0x123456u);
    CHECK(Pixel::word(composeRgb(255, 0, 0)) == 0xFF0000u);
    CHECK(Pixel::word(composeRgb(0, 0, 255)) == 0x0000FFu);
    CHECK(Pixel::word(composeRgb(255, 255, 255)) == 0xFFFFFFu);
}
