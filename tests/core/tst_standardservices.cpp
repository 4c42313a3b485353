#include "basicpalette.h"
#include "layouttable.h"
#include "standardservices.h"

#include <doctest/doctest.h>

#include <cstdlib>
#include <string>

// The services every front-end shares: the random sequence, the palette and the digits.

namespace {

// Any front-end's services, with the controls left out.
struct Services final : StandardServices
{
    using StandardServices::StandardServices;
    void setCaption(LabelId, std::string_view) override {}
    void setBackColor(LabelId, Color) override {}
    void setTimerEnabled(TimerId, bool) override {}
    void clearSurface(SurfaceId) override {}
    void plotPixel(SurfaceId, std::int16_t, std::int16_t, Color) override {}
};

bool lit(int channel)
{
    return channel != 0;
}

} // namespace

TEST_CASE("random units lie in [0, 1), so floor(256 r) never reaches 256")
{
    CHECK(unitFromBits(0) == 0.0f);
    CHECK(unitFromBits(0x80000000u) == 0.5f);
    CHECK(unitFromBits(0x000000FFu) == 0.0f); // the low bits do not count
    CHECK(unitFromBits(0xFFFFFFFFu) == 1.0f - 0x1p-24f);
    CHECK(static_cast<int>(256 * static_cast<double>(unitFromBits(0xFFFFFFFFu))) == 255);
}

TEST_CASE("the sequence's steps come out about equally often")
{
    Services services(12345);
    int counts[3] = {};
    constexpr int kDraws = 30'000;
    for (int i = 0; i < kDraws; ++i) {
        const float r = services.randomUnit();
        REQUIRE((r >= 0.0f && r < 1.0f));
        ++counts[static_cast<int>(3 * static_cast<double>(r))];
    }
    for (int count : counts)
        CHECK(std::abs(count - kDraws / 3) < 600);
    Services other(12346);
    CHECK(other.randomUnit() != Services(12345).randomUnit()); // the seed matters
}

TEST_CASE("numbers are written in decimal digits, with no blank")
{
    Services services;
    struct Written
    {
        int value;
        const char *text;
    };
    for (const Written w : {Written{0, "0"},
                            {8, "8"},
                            {15, "15"},
                            {-1, "-1"},
                            {32767, "32767"},
                            {-32768, "-32768"}}) {
        CAPTURE(w.value);
        CHECK(services.intToText(static_cast<std::int16_t>(w.value)) == w.text);
    }
    // The layout makes room for lbl1's texts as they are written.
    for (int i = PaletteStepper::kFirst; i <= PaletteStepper::kLast; ++i)
        CHECK(services.intToText(static_cast<std::int16_t>(i)) == Layout::kIndexTexts[i]);
}

TEST_CASE("the palette runs in attribute order: dark forms, greys, bright forms, white")
{
    Services services;
    const auto color = [&](int i) {
        return services.basicPaletteColor(static_cast<std::int16_t>(i));
    };
    CHECK(color(0) == composeRgb(0, 0, 0));
    CHECK(color(15) == composeRgb(255, 255, 255));
    for (int i = 1; i <= 6; ++i) {
        CAPTURE(i);
        const Color dark = color(i), bright = color(i + 8);
        // Attribute bits: blue 1, green 2, red 4; the bright form lights the same channels more.
        CHECK(lit(blueOf(dark)) == bool(i & 1));
        CHECK(lit(greenOf(dark)) == bool(i & 2));
        CHECK(lit(redOf(dark)) == bool(i & 4));
        CHECK((lit(redOf(bright)) == lit(redOf(dark)) &&
               lit(greenOf(bright)) == lit(greenOf(dark)) &&
               lit(blueOf(bright)) == lit(blueOf(dark))));
        CHECK((redOf(bright) >= redOf(dark) && greenOf(bright) >= greenOf(dark) &&
               blueOf(bright) >= blueOf(dark) && bright != dark));
    }
    const Color light = color(7), grey = color(8);
    CHECK((redOf(light) == greenOf(light) && greenOf(light) == blueOf(light)));
    CHECK((redOf(grey) == greenOf(grey) && greenOf(grey) == blueOf(grey)));
    CHECK(redOf(light) > redOf(grey));
    CHECK(BasicPalette::nameOf(color(8)) == "dark gray");
    CHECK(BasicPalette::nameOf(color(9)) == "blue");
    CHECK(BasicPalette::nameOf(composeRgb(1, 2, 3)).empty());
}
