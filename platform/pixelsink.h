#pragma once

#include "color.h"
#include "dirtybox.h"

#include <algorithm>
#include <cstdint>
#include <span>

// Where a surface keeps its pixels: 32-bit pixels 0xFFRRGGBB (opaque where the format keeps
// alpha; a 32-bit DIB ignores that byte), rows `stride` pixels apart, at most 32767 each way,
// and the box of what was written since the surface last repainted.
struct SurfacePixels
{
    std::uint32_t *pixels;
    int stride, width, height;
    DirtyBox *dirty;
};

// Writes a surface's pixels directly, where plotting one by one through an interface would
// cost more than the writing. A position outside width x height is ignored, as plotPixel
// ignores it. Every position written is added to the surface's record of what changed.
class PixelSink
{
public:
    explicit PixelSink(const SurfacePixels &s)
        : pixels_(s.pixels), stride_(static_cast<std::int16_t>(s.stride)),
          width_(static_cast<std::int16_t>(s.width)), height_(static_cast<std::int16_t>(s.height)),
          dirty_(*s.dirty)
    {}
    PixelSink(const PixelSink &) = delete;
    PixelSink &operator=(const PixelSink &) = delete;

    // 0x00BBGGRR to 0x00RRGGBB: swap the bytes, then drop the zero byte.
    static constexpr std::uint32_t toRgb(Color c) { return __builtin_bswap32(c) >> 8; }

    void plot(int x, int y, Color color)
    {
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(width_) ||
            static_cast<unsigned>(y) >= static_cast<unsigned>(height_))
            return;
        pixels_[y * stride_ + x] = toRgb(color) | 0xFF000000u;
        dirty_.add(x, y);
    }

    // Pixel i at (xs[i], ys[i]) in colors[i], for every i in order: the same as plot() one by
    // one. The box comes from the coordinates alone, in a pass the compiler vectorises; when
    // it lies inside the surface, as it does for points kept inside, no pixel needs a check.
    void plotAll(std::span<const std::int16_t> xs, std::span<const std::int16_t> ys,
                 std::span<const Color> colors)
    {
        const std::size_t n = xs.size();
        if (n == 0)
            return;
        std::int16_t left = INT16_MAX, right = INT16_MIN, top = INT16_MAX, bottom = INT16_MIN;
        for (std::size_t i = 0; i < n; ++i) {
            left = std::min(left, xs[i]);
            right = std::max(right, xs[i]);
            top = std::min(top, ys[i]);
            bottom = std::max(bottom, ys[i]);
        }
        if (left < 0 || top < 0 || right >= width_ || bottom >= height_) {
            for (std::size_t i = 0; i < n; ++i)
                plot(xs[i], ys[i], colors[i]);
            return;
        }
        std::uint32_t *const pixels = pixels_;
        const int stride = stride_;
        for (std::size_t i = 0; i < n; ++i)
            pixels[ys[i] * stride + xs[i]] = toRgb(colors[i]) | 0xFF000000u;
        DirtyBox::Bounds written;
        written.add(left, top);
        written.add(right, bottom);
        dirty_.add(written, xs, ys);
    }

private:
    std::uint32_t *pixels_;
    std::int16_t stride_, width_, height_;
    DirtyBox &dirty_;
};
