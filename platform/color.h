#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>

// A colour as 0x00BBGGRR: red in the lowest byte, blue in the third, the top byte zero.
using Color = std::uint32_t;

// The colour red + 256 * green + 65536 * blue, a component below 0 counting as 0 and one above
// 255 as 255: the one colour formula of the program, used by the tick's tables and the palette.
constexpr Color composeRgb(int red, int green, int blue)
{
    const auto byte = [](int v) { return static_cast<Color>(std::clamp(v, 0, 255)); };
    return byte(red) | byte(green) << 8 | byte(blue) << 16;
}

constexpr int redOf(Color c)
{
    return static_cast<int>(c & 0xFFu);
}
constexpr int greenOf(Color c)
{
    return static_cast<int>(c >> 8 & 0xFFu);
}
constexpr int blueOf(Color c)
{
    return static_cast<int>(c >> 16 & 0xFFu);
}

// The same colour with red and blue exchanged, 0x00RRGGBB: the order of many pixel formats.
constexpr std::uint32_t swapRedBlue(Color c)
{
    return (std::rotl(c, 16) & 0x00FF00FFu) | (c & 0x0000FF00u);
}
