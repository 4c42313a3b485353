#pragma once

#include <cstdint>
#include <limits>
#include <random>

// A small, fast 32-bit generator (permuted congruential, 64-bit state, XSH-RR output) that
// meets the standard's UniformRandomBitGenerator requirements.
class Pcg32
{
public:
    using result_type = std::uint32_t;

    explicit constexpr Pcg32(std::uint64_t seed = 0x853c49e6748fea9bULL) : state_(0)
    {
        (*this)();
        state_ += seed;
        (*this)();
    }

    static constexpr result_type min() { return 0; }
    static constexpr result_type max() { return std::numeric_limits<result_type>::max(); }

    constexpr result_type operator()()
    {
        const std::uint64_t old = state_;
        state_ = old * 6364136223846793005ULL + kIncrement;
        const auto xorshifted = static_cast<std::uint32_t>(((old >> 18) ^ old) >> 27);
        const auto rotation = static_cast<unsigned>(old >> 59);
        return (xorshifted >> rotation) | (xorshifted << ((32 - rotation) & 31));
    }

private:
    static constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
    std::uint64_t state_;
};

// Maps 32 random bits to a float in [0, 1) on a grid of 2^-24, so every value is exact in single
// precision and the largest is 1 - 2^-24, never 1.
constexpr float unitFromBits(std::uint32_t bits)
{
    return static_cast<float>(bits >> 8) * 0x1p-24f;
}

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
