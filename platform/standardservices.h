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
    StandardServices() = default;
    // The random sequence from `seed`, where the platform has a cheaper source than
    // std::random_device.
    explicit StandardServices(std::uint64_t seed) : random_(seed) {}

    float randomUnit() override { return random_.next(); }
    void randomUnits(std::span<float> values) override
    {
        for (float &value : values)
            value = random_.next();
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
