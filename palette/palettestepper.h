#pragma once

#include "runtimeservices.h"

#include <cstdint>

// Browses the 16 basic colours: an index in 0..15, shown on the label lbl1 as its number on a
// background of its colour. The index is 0 until initialise() and never wraps round.
class PaletteStepper
{
public:
    static constexpr std::int16_t kFirst = 0;
    static constexpr std::int16_t kLast = 15;
    static constexpr std::int16_t kInitial = 8;

    explicit PaletteStepper(RuntimeServices &services) : services_(services) {}

    std::int16_t index() const { return index_; }

    void initialise();
    // Each step shows the index afterwards, also when it stays put at an end.
    void stepUp();
    void stepDown();

private:
    void show();

    RuntimeServices &services_;
    std::int16_t index_ = 0;
};
