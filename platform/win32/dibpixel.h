#pragma once

#include "color.h"

#include <cstdint>

// A 32-bit DIB pixel is 0x00RRGGBB (blue in the lowest byte); the program's colours, like
// Windows' COLORREF, are 0x00BBGGRR. The one place where the two meet.
constexpr std::uint32_t toDibPixel(Color c)
{
    return static_cast<std::uint32_t>(redOf(c)) << 16 |
           static_cast<std::uint32_t>(greenOf(c)) << 8 | static_cast<std::uint32_t>(blueOf(c));
}
