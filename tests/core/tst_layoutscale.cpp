#include "layoutscale.h"
#include "layouttable.h"

#include <doctest/doctest.h>

#include <string>

// How every front-end scales the layout from its 96-dpi grid, and shows the drawing positions.

TEST_CASE("the layout scales with the dpi, lines staying on the lines they share")
{
    using LayoutScale::Box;
    const Box surface{8, 128, 185, 129}, shp2{8, 80, 185, 49}, shape1{8, 256, 185, 49};
    for (int dpi : {96, 120, 144, 192, 240}) {
        CAPTURE(dpi);
        const double f = dpi / 96.0;
        const Box s = LayoutScale::outline(surface, f);
        CHECK(LayoutScale::outline(shp2, f).bottom() == s.top);   // shp2's bottom line
        CHECK(LayoutScale::outline(shape1, f).top == s.bottom()); // Shape1's top line
        const int line = static_cast<int>(f); // lines as wide as the scale has whole pixels
        const Box thick = LayoutScale::outline(surface, f, line);
        CHECK(LayoutScale::outline(shp2, f, line).bottom() == thick.top + line - 1);
        const Box start = LayoutScale::area({16, 88, 41, 33}, f),
                  reset = LayoutScale::area({80, 88, 41, 33}, f);
        CHECK((start.width == reset.width && start.height == reset.height)); // equal buttons
        const Box client = LayoutScale::area({0, 0, 199, 311}, f);
        CHECK(client.width == LayoutScale::scaled(199, f));
        CHECK(client.height == LayoutScale::scaled(311, f));
    }
    CHECK(LayoutScale::area({16, 88, 41, 33}, 1.0) == Box{16, 88, 41, 33}); // 96 dpi: no change
    // At a whole scale, with lines as wide, a box is its 96-dpi self scaled.
    CHECK(LayoutScale::outline(surface, 2.0, 2) == Box{16, 256, 370, 258});
}

TEST_CASE("positions are square blocks of whole pixels, centred")
{
    using LayoutScale::fit;
    const auto at96 = fit(183, 128, {1, 1, 183, 128});
    CHECK((at96.size == 1 && at96.left == 1 && at96.top == 1)); // no spare room
    const auto at192 = fit(183, 128, {1, 1, 368, 257});
    CHECK((at192.size == 2 && at192.left == 2 && at192.top == 1));
    const auto at144 = fit(183, 128, {1, 1, 275, 193});
    CHECK((at144.size == 1 && at144.left == 1 + 46 && at144.top == 1 + 32));
}

TEST_CASE("the focus moves in ascending tab index, from the initial focus on >")
{
    using Layout::ControlId;
    const auto order = Layout::tabOrder();
    const ControlId expected[] = {ControlId::cmd1,   ControlId::cmd2, ControlId::lbl1,
                                  ControlId::Label1, ControlId::cmd3, ControlId::cmd4,
                                  ControlId::pct1,   ControlId::cmd7, ControlId::cmd8,
                                  ControlId::cmd6,   ControlId::cmd5};
    REQUIRE(order.size() == std::size(expected));
    for (std::size_t i = 0; i < order.size(); ++i)
        CHECK(order[i] == expected[i]);
}

TEST_CASE("outlines and the focus ring lie where they are drawn")
{
    using LayoutScale::Box;
    const auto sides = LayoutScale::sides({10, 20, 30, 40}, 2);
    CHECK(sides[0] == Box{10, 20, 30, 2}); // top
    CHECK(sides[1] == Box{10, 58, 30, 2}); // bottom: its last row is the box's last
    CHECK(sides[2] == Box{10, 20, 2, 40}); // left
    CHECK(sides[3] == Box{38, 20, 2, 40}); // right
    // Two pixels wide, a pixel away from the control on every side.
    CHECK(LayoutScale::ringAround({10, 20, 30, 40}) == Box{7, 17, 36, 46});
}
