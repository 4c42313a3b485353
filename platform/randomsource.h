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
    RandomSource() : engine_(seed()) {}

    float next() { return unitFromBits(engine_()); }

private:
    static std::uint64_t seed()
    {
        std::random_device device;
        return device() | std::uint64_t{device()} << 32;
    }

    Pcg32 engine_;
};
