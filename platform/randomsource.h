#pragma once

#include "pcg32.h"
#include "randomunit.h"

#include <cstdint>
#include <random>
#if defined(__linux__)
#include <sys/random.h>
#endif

// The program's pseudo-random sequence: seeded afresh from the system on every start, so runs
// differ; values in [0, 1) on a grid of 2^-24.
class RandomSource
{
public:
    RandomSource() : engine_(seed()) {}

    float next() { return unitFromBits(engine_()); }

private:
    // On Linux the seed comes straight from the kernel, so std::random_device, and the pages of
    // the C++ library its set-up touches, are needed only where that call is refused.
    static std::uint64_t seed()
    {
#if defined(__linux__)
        std::uint64_t bits = 0;
        if (getrandom(&bits, sizeof bits, GRND_NONBLOCK) == sizeof bits)
            return bits;
#endif
        std::random_device device;
        return device() | std::uint64_t{device()} << 32;
    }

    Pcg32 engine_;
};
