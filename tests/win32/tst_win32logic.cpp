// The Windows surface's picture, run under Wine: plotted pixels in the DIB's own format, and the
// pixels of the surface that show what changed, at the layout of 96, 144 and 192 dpi.
#include "dibsurface.h"

#include <doctest/doctest.h>

namespace {

// The window at `dpi`, with every caption fitting at once.
WindowLayout at(double dpi)
{
    return WindowLayout::fitted(dpi, 1.0, [](const WindowLayout &) { return 0.0; });
}

int width(const RECT &r)
{
    return r.right - r.left;
}

} // namespace

TEST_CASE("plotted pixels land in the DIB as 0x00RRGGBB, and nothing outside it")
{
    DibSurface surface;
    REQUIRE(surface.createPicture());
    const std::uint32_t ground = surface.pixel(0, 0);
    CHECK(surface.pixel(182, 127) == ground); // cleared whole
    surface.plot(5, 7, composeRgb(0x12, 0x34, 0x56));
    surface.plot(182, 127, composeRgb(255, 0, 0));
    surface.plot(-1, 0, composeRgb(0, 0, 255));
    surface.plot(183, 0, composeRgb(0, 0, 255));
    CHECK(surface.pixel(5, 7) == 0x123456u);
    CHECK(surface.pixel(182, 127) == 0xFF0000u);
    CHECK(surface.pixel(0, 0) == ground);
    CHECK(surface.pixel(182, 0) == ground);
    surface.clear();
    CHECK(surface.pixel(5, 7) == ground);
}

TEST_CASE("what changed is shown in whole blocks where the layout puts the drawing")
{
    for (const double dpi : {96.0, 144.0, 192.0}) {
        CAPTURE(dpi);
        DibSurface surface;
        REQUIRE(surface.createPicture());
        const WindowLayout layout = at(dpi);
        surface.layOut(layout);
        const int block = dpi == 96 ? 1 : 2;
        CHECK(layout.blocks().size == block);
        CHECK(width(surface.flush()) == 0); // nothing plotted, nothing shown
        surface.plot(0, 0, composeRgb(1, 2, 3));
        surface.plot(2, 1, composeRgb(1, 2, 3));
        const RECT shown = surface.flush();
        // Relative to the surface's own box: the drawing's first block sits inside the border.
        const LayoutScale::Box box = layout.box(Layout::ControlId::pct1);
        CHECK(shown.left == layout.blocks().left - box.left);
        CHECK(shown.top == layout.blocks().top - box.top);
        CHECK(shown.left >= layout.line());
        CHECK(width(shown) == 3 * block);
        CHECK(shown.bottom - shown.top == 2 * block);
        const RECT all = surface.shownRect({0, 0, DibSurface::kWidth, DibSurface::kHeight});
        CHECK(all.right <= box.width - layout.line()); // inside the right border
        CHECK(all.bottom <= box.height);
    }
}
