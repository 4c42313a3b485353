// What the Windows front-end computes for itself, run under Wine: the conversion of colours to
// DIB pixels, the scaling of the layout by the monitor's dpi, the square blocks of the drawing
// positions, and the box a tick invalidates.
#include "dirtybox.h"
#include "layoutscale.h"
#include "pixelsink.h"

#include <cstdio>
#include <string>

namespace {

int passed = 0, failed = 0;

void check(bool ok, const std::string &what)
{
    ok ? ++passed : ++failed;
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
}

void colorsBecomeDibPixels()
{
    check(PixelSink::toRgb(rgbColor(0x12, 0x34, 0x56)) == 0x123456u, "red goes to the third byte");
    check(PixelSink::toRgb(rgbColor(255, 0, 0)) == 0xFF0000u, "pure red");
    check(PixelSink::toRgb(rgbColor(0, 0, 255)) == 0x0000FFu, "pure blue in the lowest byte");
    check(PixelSink::toRgb(rgbColor(255, 255, 255)) == 0xFFFFFFu, "white, top byte zero");
}

void layoutScalesWithDpi()
{
    using LayoutScale::Box;
    const Box surface{8, 128, 185, 129}, shp2{8, 80, 185, 49}, shape1{8, 256, 185, 49};
    for (int dpi : {96, 120, 144, 192, 240}) {
        const double f = dpi / 96.0;
        const std::string at = " at " + std::to_string(dpi) + " dpi";
        const Box s = LayoutScale::outline(surface, f);
        check(LayoutScale::outline(shp2, f).bottom() == s.top,
              "shp2's bottom line on the surface's top" + at);
        check(LayoutScale::outline(shape1, f).top == s.bottom(),
              "Shape1's top line on the surface's last row" + at);
        const Box start = LayoutScale::area({16, 88, 41, 33}, f),
                  reset = LayoutScale::area({80, 88, 41, 33}, f);
        check(start.width == reset.width && start.height == reset.height,
              "equal buttons stay equal" + at);
        const Box client = LayoutScale::area({0, 0, 199, 311}, f);
        check(client.width == LayoutScale::scaled(199, f) &&
                  client.height == LayoutScale::scaled(311, f),
              "the client area scales" + at);
    }
    check(LayoutScale::area({16, 88, 41, 33}, 1.0) == LayoutScale::Box{16, 88, 41, 33},
          "96 dpi changes nothing");
}

void positionsAreSquareBlocks()
{
    using LayoutScale::fit;
    const auto at96 = fit(183, 128, {1, 1, 183, 128});
    check(at96.size == 1 && at96.left == 1 && at96.top == 1,
          "96 dpi: one pixel each, no spare room");
    const auto at192 = fit(183, 128, {1, 1, 368, 257});
    check(at192.size == 2 && at192.left == 2 && at192.top == 1, "192 dpi: 2 x 2 blocks, centred");
    const auto at144 = fit(183, 128, {1, 1, 275, 193});
    check(at144.size == 1 && at144.left == 1 + 46 && at144.top == 1 + 32,
          "144 dpi: whole pixels, centred");
}

void dirtyBoxCoversWhatWasPlotted()
{
    DirtyBox dirty;
    check(!dirty.take(), "nothing plotted, nothing to repaint");
    dirty.add(5, 9);
    dirty.add(182, 0);
    dirty.add(0, 127);
    const auto box = dirty.take();
    check(box && *box == LayoutScale::Box{0, 0, 183, 128}, "the box spans every plotted position");
    check(!dirty.take(), "taking it empties it");
    dirty.add(7, 7);
    check(dirty.take() == LayoutScale::Box{7, 7, 1, 1}, "one position, one pixel");
}

} // namespace

int main()
{
    colorsBecomeDibPixels();
    layoutScalesWithDpi();
    positionsAreSquareBlocks();
    dirtyBoxCoversWhatWasPlotted();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
