#include "basicpalette.h"
#include "windowlayout.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>

// How every front-end lays the window out: at any scale, lines of one width on every side,
// meeting where the bands meet, and a drawing of whole square blocks.

namespace {

using Layout::ControlId;
using LayoutScale::Box;

const double kScales[] = {0.5, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

// The line of `owner` along the side that `pick` takes from its box.
template<class Pick> Box lineOf(const WindowLayout &layout, ControlId owner, Pick pick)
{
    for (const WindowLayout::Line &line : layout.lines())
        if (line.owner == owner && pick(line.box, layout.box(owner)))
            return line.box;
    return {};
}
bool isTop(const Box &line, const Box &owner)
{
    return line.top == owner.top && line.width == owner.width;
}
bool isBottom(const Box &line, const Box &owner)
{
    return line.bottom() == owner.bottom() && line.width == owner.width;
}

} // namespace

TEST_CASE("every line is one width, and the bands' lines meet the surface's edges")
{
    for (const double scale : kScales) {
        CAPTURE(scale);
        const WindowLayout layout(scale);
        const int line = layout.line();
        CHECK(line == (scale < 2 ? 1 : static_cast<int>(scale)));
        for (const WindowLayout::Line &l : layout.lines())
            CHECK(std::min(l.box.width, l.box.height) == line);
        const Box surface = layout.box(ControlId::pct1);
        const Box above = lineOf(layout, ControlId::shp2, isBottom);
        const Box below = lineOf(layout, ControlId::Shape1, isTop);
        CHECK(above == lineOf(layout, ControlId::pct1, isTop)); // one line, not two
        CHECK(below.top == surface.bottom() - line + 1);
        CHECK((below.left == surface.left && below.right() == surface.right()));
        const Box room = layout.drawingRoom();
        CHECK(room == Box{surface.left + line, surface.top + line, surface.width - 2 * line,
                          surface.height - line});
    }
}

TEST_CASE("at the design scale the window is the table's, in pixels")
{
    const WindowLayout layout(1.0);
    CHECK(layout.client() == Box{0, 0, Layout::kClientWidth / 15, Layout::kClientHeight / 15});
    CHECK(layout.box(ControlId::pct1) == Box{8, 128, 185, 129});
    CHECK(layout.drawingRoom() == Box{9, 129, 183, 128});
    const auto blocks = layout.blocks();
    CHECK((blocks.size == 1 && blocks.left == 9 && blocks.top == 129));
    // Twice the scale: twice the boxes, lines and blocks.
    const WindowLayout twice(2.0);
    CHECK(twice.box(ControlId::cmd3) == Box{32, 176, 82, 66});
    CHECK(twice.box(ControlId::pct1) == Box{16, 256, 370, 258});
    CHECK(twice.blocks().size == 2);
}

TEST_CASE("the layout grows until the front-end's shortfall is met, and no further")
{
    for (const double ratio : {0.5, 1.0, 1.25, 1.5, 1.75, 2.5}) {
        CAPTURE(ratio);
        const int block = WindowLayout::leastBlock(ratio);
        CHECK((block >= ratio && block < ratio + 1));
        const WindowLayout fitted =
            WindowLayout::fitted(96, ratio, [](const WindowLayout &) { return 0.0; });
        const auto blocks = fitted.blocks();
        CHECK(blocks.size == block);
        // Filled: less than a block to spare either way.
        const Box room = fitted.drawingRoom();
        CHECK(room.width - Layout::kDrawingWidth * block < block + 2);
        CHECK(WindowLayout(fitted.scale() * 0.99).blockShortfall(block) > 1.0);
    }
    // A text 30 % too wide at the start grows the scale by as much.
    int rounds = 0;
    const WindowLayout grown = WindowLayout::fit(1.0, [&](const WindowLayout &at) {
        ++rounds;
        return 1.3 / at.scale();
    });
    CHECK((grown.scale() >= 1.3 && grown.scale() < 1.31));
    CHECK(rounds == 2);
    // 144 dpi: at least 1.5 device pixels a position, so 2, and the drawing fills its room.
    const WindowLayout at144 =
        WindowLayout::fitted(144, 1.0, [](const WindowLayout &) { return 0.5; });
    CHECK(at144.blocks().size == 2);
    CHECK(at144.drawingRoom().width < 2 * Layout::kDrawingWidth + 4);
    CHECK(WindowLayout::startScale(72, 2.0) == 2.0); // never below the 96-dpi grid
}

TEST_CASE("the focus starts on > and moves through the controls that take it")
{
    CHECK(Layout::kInitialFocus == ControlId::cmd1);
    std::string order;
    for (const ControlId id : Layout::focusOrder()) {
        const Layout::Control &c = Layout::control(id);
        order.append(c.caption.empty() ? c.name : c.caption).append(" ");
    }
    CHECK(order == "> < Start Stop pct1 Sort Wind Fall Reset ");
}

TEST_CASE("outlines and the focus ring lie where they are drawn")
{
    const auto sides = LayoutScale::sides({10, 20, 30, 40}, 2);
    CHECK(sides[0] == Box{10, 20, 30, 2}); // top
    CHECK(sides[1] == Box{10, 58, 30, 2}); // bottom: its last row is the box's last
    CHECK(sides[2] == Box{10, 20, 2, 40}); // left
    CHECK(sides[3] == Box{38, 20, 2, 40}); // right
    // Two lines wide, a line away from the control on every side, in device pixels.
    for (const double scale : {1.0, 1.5, 2.0, 3.0}) {
        CAPTURE(scale);
        const WindowLayout layout(scale);
        const int line = layout.line();
        const Box b = layout.box(ControlId::cmd3);
        CHECK(layout.ring(ControlId::cmd3) ==
              Box{b.left - 3 * line, b.top - 3 * line, b.width + 6 * line, b.height + 6 * line});
    }
}

TEST_CASE("what is painted beneath the controls: ground, room, lines, drawing, and the ring")
{
    const WindowLayout layout(2.0);
    const auto unfocused = layout.fills(std::nullopt);
    REQUIRE(unfocused.size() == 3 + WindowLayout::kLineCount);
    const auto *fill = unfocused.begin();
    CHECK((fill[0].box == layout.client() && fill[0].color == Layout::SystemColor::Face));
    CHECK((fill[1].box == layout.drawingRoom() && fill[1].color == Layout::SystemColor::Window));
    for (std::size_t i = 0; i < WindowLayout::kLineCount; ++i)
        CHECK((fill[2 + i].box == layout.lines()[i].box &&
               fill[2 + i].color == Layout::SystemColor::WindowText));
    // The drawing comes after the lines: its last row covers the frame's line below.
    const auto &drawing = fill[2 + WindowLayout::kLineCount];
    const auto b = layout.blocks();
    CHECK(drawing.box == Box{b.left, b.top, 183 * b.size, 128 * b.size});
    CHECK(drawing.color == Layout::SystemColor::Window);
    // The ring comes last, around a control the focus stops at, and never around a label.
    CHECK(layout.fills(ControlId::lbl1).size() == unfocused.size());
    const auto focused = layout.fills(ControlId::pct1);
    REQUIRE(focused.size() == unfocused.size() + 4);
    const Box ring = layout.ring(ControlId::pct1);
    CHECK(focused.begin()[unfocused.size()].box == Box{ring.left, ring.top, ring.width, 4});
}

TEST_CASE("the value is spoken with its colour's name, and the value label fits every index")
{
    const auto spoken = [](std::string_view caption, Color c) {
        return std::string(BasicPalette::SpokenValue(caption, c).view());
    };
    CHECK(spoken("9", BasicPalette::color(9)) == "9, blue");
    CHECK(spoken("8", BasicPalette::color(8)) == "8, dark gray");
    CHECK(spoken("3", composeRgb(0x1a, 0x2b, 0x3c)) == "3, #1a2b3c");
    for (const auto &entry : BasicPalette::kEntries) // every name fits
        CHECK(spoken("-32768", entry.color) == "-32768, " + std::string(entry.name));
    // The value label, and only it, must have room for every index the stepper writes.
    for (const Layout::Control &c : Layout::kControls)
        CHECK(Layout::textsToFit(c).size() == (c.value == Layout::Value::Shown ? 16u : 1u));
}
