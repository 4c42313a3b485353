#pragma once

#include "color.h"
#include "dirtybox.h"
#include "runtimeservices.h"

#include <cstdint>
#include <span>

// Writes plotted pixels into a surface's memory: 32-bit words in the surface's own format, which
// `Format::word(Color)` makes, rows `stride` words apart, at most 32767 each way. A position
// outside width x height is ignored, as plotPixel ignores it. Every position written is added
// to the surface's record of what changed, a DirtyBox or one that keeps more.
template<typename Format, typename Record = DirtyBox> class PixelSink
{
public:
    PixelSink(std::uint32_t *pixels, int stride, int width, int height, Record &dirty)
        : pixels_(pixels), stride_(stride), width_(static_cast<std::int16_t>(width)),
          height_(static_cast<std::int16_t>(height)), dirty_(dirty)
    {}
    PixelSink(const PixelSink &) = delete;
    PixelSink &operator=(const PixelSink &) = delete;

    void plot(int x, int y, Color color)
    {
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(width_) ||
            static_cast<unsigned>(y) >= static_cast<unsigned>(height_))
            return;
        pixels_[y * stride_ + x] = Format::word(color);
        dirty_.add(x, y);
    }

    // Every plot in order: the same as plot() one by one. The box comes from the coordinates
    // alone, in a first pass; when it lies inside the surface, as it does for points kept
    // inside, no pixel needs a check.
    void plotAll(std::span<const PixelPlot> plots)
    {
        if (plots.empty())
            return;
        DirtyBox::Bounds written;
        for (const PixelPlot &p : plots)
            written.add(p.x, p.y);
        if (written.left < 0 || written.top < 0 || written.right >= width_ ||
            written.bottom >= height_) {
            for (const PixelPlot &p : plots)
                plot(p.x, p.y, p.color);
            return;
        }
        std::uint32_t *const pixels = pixels_;
        const int stride = stride_;
        for (const PixelPlot &p : plots)
            pixels[p.y * stride + p.x] = Format::word(p.color);
        dirty_.add(written, plots);
    }

private:
    std::uint32_t *pixels_;
    int stride_;
    std::int16_t width_, height_;
    Record &dirty_;
};
