#pragma once

#include "color.h"

#include <cstdint>
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
    // The same as plotPixel for several pixels, in order: a tick's pixels in one call, which a
    // platform writes into its own memory in its own pixel format.
    virtual void plotPixels(SurfaceId surface, std::span<const PixelPlot> plots)
    {
        for (const PixelPlot &p : plots)
            plotPixel(surface, p.x, p.y, p.color);
    }
};
