#pragma once

#include "color.h"

#include <algorithm>
#include <array>

// Legibility of text on a background, by relative luminance as the web's accessibility
// guidelines define it.
namespace Contrast {

// s^2.4 for s in [0, 1]: s^2 times the square of s's fifth root, which Newton's method finds
// from above, stopping where rounding stops it. Within 1e-15, and with no call into the maths
// library, whose code would otherwise be paged in for this alone.
constexpr double pow2point4(double s)
{
    if (s <= 0)
        return 0;
    double root = 1;
    for (int i = 0; i < 100; ++i) {
        const double fourth = root * root * root * root;
        const double next = root - (fourth * root - s) / (5 * fourth);
        if (next >= root)
            break;
        root = next;
    }
    return s * s * root * root;
}

// Each 8-bit channel value in linear light, 0 to 1.
inline constexpr auto kLinear = [] {
    std::array<double, 256> linear{};
    for (int v = 0; v < 256; ++v) {
        const double s = v / 255.0;
        linear[v] = s <= 0.04045 ? s / 12.92 : pow2point4((s + 0.055) / 1.055);
    }
    return linear;
}();

// 0 (black) to 1 (white).
inline double luminance(Color c)
{
    return 0.2126 * kLinear[redOf(c)] + 0.7152 * kLinear[greenOf(c)] + 0.0722 * kLinear[blueOf(c)];
}

// 1 (none) to 21 (black on white).
inline double ratio(Color a, Color b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The least contrast at which text reads well.
constexpr double kText = 4.5;

// The preferred text colour where it reads well on `back`, else black or white, whichever
// contrasts more.
inline Color readableTextOn(Color back, Color preferred)
{
    if (ratio(preferred, back) >= kText)
        return preferred;
    constexpr Color black = composeRgb(0, 0, 0), white = composeRgb(255, 255, 255);
    return ratio(black, back) >= ratio(white, back) ? black : white;
}

} // namespace Contrast
