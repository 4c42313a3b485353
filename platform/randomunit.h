#pragma once

#include <cstdint>

// Maps 32 random bits to a float in [0, 1) on a grid of 2^-24, so every value is exact in single
// precision and the largest is 1 - 2^-24, never 1.
constexpr float unitFromBits(std::uint32_t bits)
{
    return static_cast<float>(bits >> 8) * 0x1p-24f;
}
