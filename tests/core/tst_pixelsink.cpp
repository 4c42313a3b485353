#include "dirtybox.h"
#include "fakeruntimeservices.h"
#include "pixelsink.h"
#include "pointanimation.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <vector>

// Writing a tick's pixels into a surface's memory, and the record of what changed.

namespace {

// A pixel format that keeps the colour as it is, marked as written.
struct Marked
{
    static constexpr std::uint32_t word(Color c) { return c | 0x80000000u; }
};

constexpr int kWide = 183, kHigh = 128;

struct Surface
{
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(kWide * kHigh, 0);
    DirtyBox dirty;
    PixelSink<Marked> sink() { return {pixels.data(), kWide, kWide, kHigh, dirty}; }
};

std::vector<PixelPlot> lastTick(const FakeRuntimeServices &services)
{
    std::vector<PixelPlot> plots;
    for (auto p = services.plots.end() - PointField::kCount; p != services.plots.end(); ++p)
        plots.push_back(
            {static_cast<std::int16_t>(p->x), static_cast<std::int16_t>(p->y), p->color});
    return plots;
}

} // namespace

// A tick's pixels written at once give exactly the picture that plotting pixel by pixel in
// point order gives, under every rule.
TEST_CASE("writing a tick's pixels at once looks the same as one by one")
{
    FakeRuntimeServices services(7);
    PointAnimation animation(services);
    Surface atOnce, oneByOne;
    for (MotionMode mode : {MotionMode::Wind, MotionMode::Sort, MotionMode::Fall}) {
        animation.selectMode(mode);
        animation.reset();
        for (int t = 0; t < 40; ++t) {
            animation.tick();
            const auto plots = lastTick(services);
            atOnce.sink().plotAll(plots);
            for (const PixelPlot &p : plots)
                oneByOne.sink().plot(p.x, p.y, p.color);
        }
    }
    CHECK(atOnce.pixels == oneByOne.pixels);
    CHECK(atOnce.dirty.take() == oneByOne.dirty.take());
}

TEST_CASE("positions outside the surface are ignored")
{
    Surface surface;
    const PixelPlot plots[] = {{-1, 5, 1}, {183, 0, 2}, {0, 128, 3}, {4, 4, 4}};
    surface.sink().plotAll(plots);
    CHECK(surface.pixels[4 * kWide + 4] == Marked::word(4));
    CHECK(std::count(surface.pixels.begin(), surface.pixels.end(), 0u) == kWide * kHigh - 1);
    CHECK(surface.dirty.take() == LayoutScale::Box{4, 4, 1, 1});
}

TEST_CASE("the dirty box covers what was plotted")
{
    DirtyBox dirty;
    CHECK(!dirty.take()); // nothing plotted, nothing to repaint
    dirty.add(5, 9);
    dirty.add(182, 0);
    dirty.add(0, 127);
    CHECK(dirty.take() == LayoutScale::Box{0, 0, 183, 128});
    CHECK(!dirty.take()); // taking it empties it
    dirty.add(7, 7);
    CHECK(dirty.take() == LayoutScale::Box{7, 7, 1, 1});
}
