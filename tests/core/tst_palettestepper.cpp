#include "fakeruntimeservices.h"
#include "palettestepper.h"

#include <doctest/doctest.h>

// Stepping through the basic colours and showing each on the label.

namespace {

std::vector<std::string> shown(FakeRuntimeServices &services, int index)
{
    return {"setCaption lbl1 " + std::to_string(index),
            "setBackColor lbl1 " +
                std::to_string(services.basicPaletteColor(static_cast<std::int16_t>(index)))};
}

} // namespace

TEST_CASE("the stepper is 0 until initialised, then shows 8, caption first")
{
    FakeRuntimeServices services;
    PaletteStepper stepper(services);
    CHECK(stepper.index() == 0);
    CHECK(services.calls.empty());
    stepper.initialise();
    CHECK(stepper.index() == 8);
    CHECK(services.calls == shown(services, 8));
}

TEST_CASE("steps stop at the ends, and every press shows the index")
{
    const struct
    {
        const char *what;
        std::string presses;
        int index;
    } rows[] = {
        {"seven up reach 15", std::string(7, '>'), 15},
        {"more up stay at 15", std::string(12, '>'), 15},
        {"eight down reach 0", std::string(8, '<'), 0},
        {"more down stay at 0", std::string(20, '<'), 0},
        {"no wrap from 15", std::string(9, '>') + '<', 14},
        {"no wrap from 0", std::string(9, '<') + '>', 1},
        {"there and back", "><<>", 8},
        {"whole range", std::string(10, '<') + std::string(15, '>'), 15},
    };
    for (const auto &row : rows) {
        const auto &[what, presses, index] = row;
        CAPTURE(row.what);
        FakeRuntimeServices services;
        PaletteStepper stepper(services);
        stepper.initialise();
        for (char press : presses) {
            press == '>' ? stepper.stepUp() : stepper.stepDown();
            CHECK((stepper.index() >= 0 && stepper.index() <= 15));
        }
        CHECK(stepper.index() == index);
        // Every press shows the index, also one that stays put at an end.
        CHECK(services.calls.size() == 2 * (1 + presses.size()));
        CHECK(std::vector(services.calls.end() - 2, services.calls.end()) ==
              shown(services, index));
    }
}
