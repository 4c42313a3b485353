#pragma once

#include <algorithm>
#include <cstdint>

// A colour as 0x00BBGGRR: red in the lowest byte, blue in the third, the top byte zero.
using Color = std::uint32_t;

// Composes a colour from components; a component below 0 counts as 0, above 255 as 255.
constexpr Color rgbColor(int red, int green, int blue)
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
