#include "fakeruntimeservices.h"
#include "fieldinvariants.h"
#include "pointanimation.h"

#include <doctest/doctest.h>

#include <random>

namespace {

// The largest value below 1 that randomUnit can return.
constexpr float kAlmostOne = 1.0f - 0x1p-24f;

// Scripts one tick: every point draws `rest` twice, except point `i`, which draws r1 then r2.
void scriptTick(FakeRuntimeServices &services, int i, float r1, float r2, float rest = 0.0f)
{
    for (int p = 0; p < PointField::kCount; ++p) {
        services.script.push_back(p == i ? r1 : rest);
        services.script.push_back(p == i ? r2 : rest);
    }
}

// Points laid out for `layout`, then moved under `rule`.
struct Rig
{
    FakeRuntimeServices services;
    PointAnimation animation{services};

    Rig(MotionMode layout, MotionMode rule)
    {
        animation.selectMode(layout);
        animation.reset();
        animation.selectMode(rule);
    }
    int x(int i) const { return animation.field().x[i]; }
    int y(int i) const { return animation.field().y[i]; }
    Color color(int i) const { return animation.field().color[i]; }
};

using enum MotionMode;

} // namespace

// Moving, recolouring and plotting the points on each tick, and starting and stopping the timer.

TEST_CASE("the first tick after start-up plots the corner black")
{
    FakeRuntimeServices services;
    PointAnimation animation(services);
    animation.start();
    animation.tick();
    CHECK(services.plots.size() == std::size_t(PointField::kCount));
    for (const auto &plot : services.plots)
        CHECK(plot == FakeRuntimeServices::Plot{0, 0, 0});
    CHECK(services.randomsTaken == 2 * PointField::kCount);
    for (int i = 0; i < PointField::kCount; ++i) {
        CHECK(animation.field().x[i] == 0); // Fall never moves x
        CHECK(animation.field().y[i] <= 1);
    }
}

TEST_CASE("steps at the edges")
{
    // Sort lays point 0 out at (0, 0), 91 at (91, 63) and 182 at (182, 127).
    const struct
    {
        const char *what;
        MotionMode layout, rule;
        int i;
        float r1, r2;
        int x, y;
    } rows[] = {
        {"Fall stays", Fall, Fall, 10, 0.49f, 0.f, 10, 0},
        {"Fall drops", Fall, Fall, 10, 0.5f, 0.f, 10, 1},
        {"Fall wraps to row 1", Sort, Fall, 182, 0.5f, 0.f, 182, 1},
        {"Fall at bottom stays", Sort, Fall, 182, 0.f, 0.f, 182, 127},
        {"Wind drifts", Wind, Wind, 0, kAlmostOne, 0.f, 1, 0},
        {"Wind wraps to column 1", Sort, Wind, 182, 0.5f, 0.f, 1, 127},
        {"Wind at right stays", Sort, Wind, 182, 0.f, 0.f, 182, 127},
        {"Sort held at top-left", Sort, Sort, 0, 0.f, 0.f, 0, 0},
        {"Sort held at bottom-right", Sort, Sort, 182, kAlmostOne, kAlmostOne, 182, 127},
        {"Sort -1 +1", Sort, Sort, 91, 0.33f, 0.67f, 90, 64},
        {"Sort 0 0", Sort, Sort, 91, 0.34f, 0.66f, 91, 63},
        {"Sort into corner", Sort, Sort, 1, 0.f, 0.f, 0, 0},
    };
    for (const auto &row : rows) {
        const auto &[what, layout, rule, i, r1, r2, x, y] = row;
        CAPTURE(row.what);
        Rig rig(layout, rule);
        scriptTick(rig.services, i, r1, r2, 1.0f / 3);
        rig.animation.tick();
        CHECK(rig.x(i) == x);
        CHECK(rig.y(i) == y);
    }
}

TEST_CASE("two random values per point, the first for the coordinate that moves first")
{
    // Point 91 starts at (91, 63) and draws 0.9 then 0.1. Taken the other way round the
    // results would differ in every row.
    const struct
    {
        const char *what;
        MotionMode rule;
        int x, y, green;
    } rows[] = {
        {"Fall: y, then green", Fall, 91, 64, 25},
        {"Sort: x, then y", Sort, 92, 62, -1},
        {"Wind: x, then green", Wind, 92, 63, 25},
    };
    for (const auto &row : rows) {
        const auto &[what, rule, x, y, green] = row;
        CAPTURE(row.what);
        Rig rig(Sort, rule);
        scriptTick(rig.services, 91, 0.9f, 0.1f, 0.5f);
        rig.animation.tick();
        CHECK(rig.services.randomsTaken == 2 * PointField::kCount);
        CHECK(rig.services.script.empty());
        CHECK(rig.x(91) == x);
        CHECK(rig.y(91) == y);
        if (green >= 0)
            CHECK(greenOf(rig.color(91)) == green);
    }
}

TEST_CASE("composeRgb puts red in the low byte and counts a component above 255 as 255")
{
    CHECK(composeRgb(0, 0, 0) == 0x000000u);
    CHECK(composeRgb(1, 2, 3) == 0x030201u);
    CHECK(composeRgb(255, 255, 255) == 0xFFFFFFu);
    CHECK(composeRgb(256, 0, 0) == 0x0000FFu);
    CHECK(composeRgb(0, 256, 0) == 0x00FF00u);
    CHECK(composeRgb(0, 0, 256) == 0xFF0000u);
    CHECK(composeRgb(1000, 300, 32767) == 0xFFFFFFu);
}

TEST_CASE("recolouring follows the position")
{
    // Each point stays put (r1 = 0). Under the Sort layout point i sits on row floor(i*127/182);
    // under the Fall layout on column i.
    const struct
    {
        const char *what;
        MotionMode layout, rule;
        int i;
        float r2;
        int red, green, blue;
    } rows[] = {
        {"y 1", Sort, Fall, 2, 0.f, 2, 0, 2},
        {"y 64", Sort, Fall, 92, 0.f, 129, 0, 129},
        {"y 127", Sort, Fall, 182, 0.f, 255, 0, 255},
        {"y 0", Fall, Wind, 0, 0.f, 0, 0, 0},
        {"x 1", Fall, Wind, 1, 0.f, 0, 0, 1},
        {"x 91", Fall, Wind, 91, 0.f, 0, 0, 128},
        {"x 181", Fall, Wind, 181, 0.f, 0, 0, 254},
        {"x 182", Fall, Wind, 182, 0.f, 0, 0, 255},
        {"green half", Fall, Wind, 0, 0.5f, 0, 128, 0},
        {"green lowest", Fall, Fall, 0, 0x1p-24f, 0, 0, 0},
        {"green top", Fall, Fall, 0, kAlmostOne, 0, 255, 0},
    };
    for (const auto &row : rows) {
        const auto &[what, layout, rule, i, r2, red, green, blue] = row;
        CAPTURE(row.what);
        Rig rig(layout, rule);
        scriptTick(rig.services, i, 0.0f, r2);
        rig.animation.tick();
        CHECK(rig.color(i) == composeRgb(red, green, blue));
        // and the next tick plots it in that colour
        rig.services.plots.clear();
        rig.animation.tick();
        CHECK(rig.services.plots[i].color == composeRgb(red, green, blue));
    }
}

TEST_CASE("Sort keeps the colours")
{
    Rig rig(Fall, Wind);
    rig.animation.tick();
    const auto colours = rig.animation.field().color;
    rig.animation.selectMode(Sort);
    for (int t = 0; t < 20; ++t)
        rig.animation.tick();
    CHECK(rig.animation.field().color == colours);
}

TEST_CASE("a tick plots the position reached on the previous tick")
{
    for (MotionMode rule : {Fall, Sort, Wind}) {
        Rig rig(rule, rule);
        for (int t = 0; t < 10; ++t) {
            const PointField before = rig.animation.field();
            rig.services.plots.clear();
            rig.animation.tick();
            REQUIRE(rig.services.plots.size() == std::size_t(PointField::kCount));
            for (int i = 0; i < PointField::kCount; ++i)
                CHECK(rig.services.plots[i] ==
                      FakeRuntimeServices::Plot{before.x[i], before.y[i], before.color[i]});
        }
    }
}

// Start and Stop only switch the timer: nothing moves, nothing is drawn, and after Stop and
// Start the moves go on exactly as if there had been no pause.
TEST_CASE("Start and Stop only switch the timer")
{
    Rig paused(Fall, Fall);
    Rig steady(Fall, Fall);
    paused.animation.start();
    steady.animation.start();
    for (int t = 0; t < 30; ++t) {
        if (t == 15) {
            const PointField before = paused.animation.field();
            const std::size_t plotted = paused.services.plots.size();
            paused.services.calls.clear();
            paused.animation.stop();
            paused.animation.stop();
            CHECK(!paused.services.timerEnabled);
            paused.animation.start();
            paused.animation.start();
            CHECK(paused.services.timerEnabled);
            CHECK(paused.services.calls ==
                  std::vector<std::string>{"setTimerEnabled tmr1 off", "setTimerEnabled tmr1 off",
                                           "setTimerEnabled tmr1 on", "setTimerEnabled tmr1 on"});
            CHECK(paused.animation.field().x == before.x);
            CHECK(paused.animation.field().y == before.y);
            CHECK(paused.services.plots.size() == plotted);
        }
        paused.animation.tick();
        steady.animation.tick();
    }
    CHECK(paused.services.plots == steady.services.plots);
    CHECK(paused.animation.field().color == steady.animation.field().color);
    CHECK(paused.animation.mode() == Fall);
}

TEST_CASE("a long random run keeps every point in the field")
{
    // Rule changes and resets at random moments, with the extreme random values mixed in.
    const unsigned seed = std::random_device{}();
    CAPTURE(seed);
    FakeRuntimeServices services(seed);
    services.keepPlots = false;
    PointAnimation animation(services);
    std::mt19937 chooser(seed);
    constexpr int kTicks = 200'000;
    for (int t = 0; t < kTicks; ++t) {
        switch (chooser() % 512) {
        case 0:
            animation.selectMode(static_cast<MotionMode>(chooser() % 3));
            break;
        case 1:
            animation.reset();
            break;
        case 2:
            for (int k = 0; k < 2 * PointField::kCount; ++k)
                services.script.push_back(chooser() % 2 ? kAlmostOne : 0.0f);
            break;
        }
        animation.tick();
        if (const std::string fault = fieldFault(animation.field()); !fault.empty())
            FAIL(fault << " at tick " << t);
    }
    CHECK(services.randomsTaken == kTicks * 2 * PointField::kCount);
}
