#pragma once

#include "layoutscale.h"
#include "runtimeservices.h"

#include <cstdint>
#include <optional>
#include <span>
#include <utility>

// The bounding box of the positions plotted since it was last taken, so that a surface repaints
// only what changed.
class DirtyBox
{
public:
    // A box of positions (at most 32767 each way), in 16-bit integers: gathered in a local
    // Bounds while 32-bit pixels are written, it cannot alias them, so the compiler keeps it in
    // registers.
    struct Bounds
    {
        std::int16_t left = INT16_MAX, right = -1, top = INT16_MAX, bottom = -1;
        void add(int x, int y)
        {
            const auto sx = static_cast<std::int16_t>(x), sy = static_cast<std::int16_t>(y);
            left = sx < left ? sx : left;
            right = sx > right ? sx : right;
            top = sy < top ? sy : top;
            bottom = sy > bottom ? sy : bottom;
        }
        void add(const Bounds &b)
        {
            if (b.left <= b.right) {
                add(b.left, b.top);
                add(b.right, b.bottom);
            }
        }
    };

    void add(int x, int y) { box_.add(x, y); }
    // The positions of `plots`, of which `b` is the box.
    void add(const Bounds &b, std::span<const PixelPlot>) { box_.add(b); }
    // The box, then empty again; nothing when nothing was added.
    std::optional<LayoutScale::Box> take()
    {
        const Bounds b = std::exchange(box_, Bounds());
        if (b.left > b.right)
            return std::nullopt;
        return LayoutScale::Box{b.left, b.top, b.right - b.left + 1, b.bottom - b.top + 1};
    }

private:
    Bounds box_;
};
