#pragma once

#include "color.h"
#include "pixelsink.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The controls that the program's logic acts on, by their names in the window's layout.
enum class LabelId : std::uint8_t
{
    lbl1
};
enum class TimerId : std::uint8_t
{
    tmr1
};
enum class SurfaceId : std::uint8_t
{
    pct1
};

// One pixel to set: where, and in which colour.
struct PixelPlot
{
    std::int16_t x, y;
    Color color;
    bool operator==(const PixelPlot &) const = default;
};

// What the logic asks of the windowing platform. All calls come from the user-interface thread.
class RuntimeServices
{
public:
    virtual ~RuntimeServices() = default;

    // Next value of a uniform pseudo-random sequence, 0 <= r < 1.
    virtual float randomUnit() = 0;
    // The next values of the same sequence, in order: as many calls of randomUnit, at once.
    virtual void randomUnits(std::span<float> values)
    {
        for (float &value : values)
            value = randomUnit();
    }
    // red + 256 * green + 65536 * blue, a component above 255 counting as 255.
    virtual Color composeRgb(std::int16_t red, std::int16_t green, std::int16_t blue) = 0;
    // index in 0..15, see BasicPalette.
    virtual Color basicPaletteColor(std::int16_t index) = 0;
    // Decimal digits with a leading '-' for negatives, no blank: "8", "15", "0".
    virtual std::string intToText(std::int16_t value) = 0;

    virtual void setCaption(LabelId label, std::string_view text) = 0;
    virtual void setBackColor(LabelId label, Color color) = 0;
    // Setting the state the timer already has keeps it in that state.
    virtual void setTimerEnabled(TimerId timer, bool enabled) = 0;
    // Fills the whole drawing area with the surface's background colour.
    virtual void clearSurface(SurfaceId surface) = 0;
    // Sets one pixel, visible at the latest when the current handler returns; positions outside
    // the drawing area are ignored.
    virtual void plotPixel(SurfaceId surface, std::int16_t x, std::int16_t y, Color color) = 0;
    // Where the platform keeps a surface's pixels in memory: the logic may then write them
    // itself, with exactly the effect of plotPixel, leaving the repaint to the platform.
    virtual std::optional<SurfacePixels> surfacePixels(SurfaceId) { return std::nullopt; }
    // The same as plotPixel for several pixels, in order.
    virtual void plotPixels(SurfaceId surface, std::span<const PixelPlot> plots)
    {
        for (const PixelPlot &p : plots)
            plotPixel(surface, p.x, p.y, p.color);
    }
};
