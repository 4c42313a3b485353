#pragma once

#include "basicpalette.h"
#include "randomsource.h"
#include "runtimeservices.h"

#include <charconv>
#include <iterator>

// The operations that need no toolkit, done the same way on every platform; a platform's
// services add the controls.
class StandardServices : public RuntimeServices
{
public:
    float randomUnit() override { return random_.next(); }
    void randomUnits(std::span<float> values) override
    {
        for (float &value : values)
            value = random_.next();
    }
    Color composeRgb(std::int16_t red, std::int16_t green, std::int16_t blue) override
    {
        return rgbColor(red, green, blue);
    }
    Color basicPaletteColor(std::int16_t index) override { return BasicPalette::color(index); }
    std::string intToText(std::int16_t value) override
    {
        char digits[8];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
        return std::string(digits, end);
    }

private:
    RandomSource random_;
};
