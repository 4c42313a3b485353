#include "contrast.h"

#include <doctest/doctest.h>

#include <cmath>

// The readable-text rule for the color label, by relative luminance.

namespace {

// The web's accessibility guidelines' definition, with the maths library.
double definedLuminance(int r, int g, int b)
{
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

} // namespace

TEST_CASE("luminance follows the definition, without the maths library")
{
    for (int v = 0; v < 256; ++v) {
        CAPTURE(v);
        CHECK(Contrast::luminance(composeRgb(v, 0, 0)) ==
              doctest::Approx(definedLuminance(v, 0, 0)).epsilon(1e-12));
        CHECK(Contrast::luminance(composeRgb(0, v, 0)) ==
              doctest::Approx(definedLuminance(0, v, 0)).epsilon(1e-12));
        CHECK(Contrast::luminance(composeRgb(0, 0, v)) ==
              doctest::Approx(definedLuminance(0, 0, v)).epsilon(1e-12));
    }
    CHECK(Contrast::ratio(composeRgb(0, 0, 0), composeRgb(255, 255, 255)) == doctest::Approx(21));
}

TEST_CASE("the label's text keeps its colour where it reads well, else black or white")
{
    const Color black = composeRgb(0, 0, 0), white = composeRgb(255, 255, 255),
                gray = composeRgb(128, 128, 128), blue = composeRgb(0, 0, 255);
    CHECK(Contrast::readableTextOn(white, black) == black);
    CHECK(Contrast::readableTextOn(blue, white) == white); // 8.6:1
    CHECK(Contrast::readableTextOn(blue, black) == white); // 2.4:1: white instead
    CHECK(Contrast::readableTextOn(gray, gray) == black);  // black 5.3:1 beats white 3.9:1
    CHECK(Contrast::readableTextOn(black, composeRgb(64, 64, 64)) == white);
}
