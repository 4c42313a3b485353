#pragma once

#include "pcg32.h"
#include "randomunit.h"

#include <cstdint>
#include <random>

// The program's pseudo-random sequence: seeded afresh from the system on every start, so runs
// differ; values in [0, 1) on a grid of 2^-24.
class RandomSource
{
public:
    RandomSource() : engine_(deviceSeed()) {}
    explicit RandomSource(std::uint64_t seed) : engine_(seed) {}

    float next() { return unitFromBits(engine_()); }

    static std::uint64_t deviceSeed()
    {
        std::random_device device;
        return device() | std::uint64_t{device()} << 32;
    }

private:
    Pcg32 engine_;
};
