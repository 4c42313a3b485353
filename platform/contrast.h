#pragma once

#include "color.h"

#include <algorithm>
#include <cmath>

// Legibility of text on a background, by relative luminance as the web's accessibility
// guidelines define it.
namespace Contrast {

// 0 (black) to 1 (white).
inline double luminance(Color c)
{
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(redOf(c)) + 0.7152 * linear(greenOf(c)) + 0.0722 * linear(blueOf(c));
}

// 1 (none) to 21 (black on white).
inline double ratio(Color a, Color b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The preferred text colour where it reads well on `back` (4.5:1), else black or white,
// whichever contrasts more.
inline Color readableTextOn(Color back, Color preferred)
{
    constexpr double kMinimum = 4.5;
    if (ratio(preferred, back) >= kMinimum)
        return preferred;
    constexpr Color black = rgbColor(0, 0, 0), white = rgbColor(255, 255, 255);
    return ratio(black, back) >= ratio(white, back) ? black : white;
}

} // namespace Contrast
