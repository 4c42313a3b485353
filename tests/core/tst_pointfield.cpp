#include "fakeruntimeservices.h"
#include "pointanimation.h"

#include <doctest/doctest.h>

// Laying out the points and choosing the rule.

// Where the points start is what the first tick plots (tst_pointanimation).
TEST_CASE("the field starts under Fall, asking nothing of the platform")
{
    FakeRuntimeServices services;
    PointAnimation animation(services);
    CHECK(animation.mode() == MotionMode::Fall);
    CHECK(services.calls.empty());
}

TEST_CASE("reset lays out the starting pattern of the rule")
{
    const struct
    {
        int i, row;
    } spread[] = {{0, 0}, {1, 0}, {2, 1}, {91, 63}, {92, 64}, {181, 126}, {182, 127}};
    for (const auto &point : spread) {
        const auto &[i, row] = point;
        const struct
        {
            MotionMode mode;
            int x, y;
        } expected[] = {
            {MotionMode::Fall, i, 0}, {MotionMode::Sort, i, row}, {MotionMode::Wind, 0, row}};
        for (const auto &entry : expected) {
            const auto &[mode, x, y] = entry;
            CAPTURE(point.i);
            CAPTURE(static_cast<int>(entry.mode));
            FakeRuntimeServices services;
            PointAnimation animation(services);
            animation.selectMode(mode);
            animation.reset();
            CHECK(animation.field().x[i] == x);
            CHECK(animation.field().y[i] == y);
            CHECK(animation.field().color[i] == Color{0});
        }
    }
}

TEST_CASE("the spread layouts fill every row once or twice")
{
    for (MotionMode mode : {MotionMode::Sort, MotionMode::Wind}) {
        PointField field;
        layOut(field, mode);
        int perRow[PointField::kMaxY + 1] = {};
        for (int i = 0; i < PointField::kCount; ++i) {
            CHECK((i == 0 || field.y[i] >= field.y[i - 1]));
            ++perRow[field.y[i]];
        }
        for (int count : perRow)
            CHECK((count == 1 || count == 2));
    }
}

TEST_CASE("reset keeps the colours, the rule and the timer")
{
    FakeRuntimeServices services;
    PointAnimation animation(services);
    animation.reset();
    animation.start();
    for (int t = 0; t < 5; ++t)
        animation.tick();
    const auto colours = animation.field().color;
    CHECK(colours != decltype(colours){});
    animation.selectMode(MotionMode::Sort);
    services.calls.clear();

    animation.reset();

    CHECK(animation.field().color == colours);
    CHECK(animation.mode() == MotionMode::Sort);
    CHECK(services.timerEnabled);
    CHECK(services.calls == std::vector<std::string>{"clearSurface pct1"});
    CHECK(animation.field().y[91] == 63); // the Sort pattern, not the Fall one
}

TEST_CASE("selecting a rule changes nothing else")
{
    FakeRuntimeServices services;
    PointAnimation animation(services);
    animation.reset();
    const PointField before = animation.field();
    services.calls.clear();
    for (MotionMode mode : {MotionMode::Wind, MotionMode::Sort, MotionMode::Fall}) {
        animation.selectMode(mode);
        CHECK(animation.mode() == mode);
        CHECK(animation.field().x == before.x);
        CHECK(animation.field().y == before.y);
    }
    CHECK(services.calls.empty());
    CHECK(services.plots.empty());
    CHECK(services.randomsTaken == 0);
}
