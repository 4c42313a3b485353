#pragma once

#include "layoutscale.h"
#include "runtimeservices.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

// The bounding box of the positions plotted since it was last taken, so that a surface repaints
// only what changed; and, while they are few, the positions themselves, so that a surface can
// send the display just those pixels.
class DirtyBox
{
public:
    // A position listed, as it was plotted (the colour along with it, unused: the list is
    // copied from the plots whole, which is cheaper than picking the positions out).
    using Spot = PixelPlot;
    // The most positions listed between two takes: two ticks' worth.
    static constexpr std::size_t kSpotLimit = 366;

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

    // The position (x, y), both in the box and in the list.
    void add(int x, int y)
    {
        box_.add(x, y);
        list(1, [&](Spot *s) {
            *s = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0};
        });
    }
    // The positions of `plots` in order, of which `b` is the box.
    void add(const Bounds &b, std::span<const PixelPlot> plots)
    {
        box_.add(b);
        list(plots.size(), [&](Spot *s) { std::copy(plots.begin(), plots.end(), s); });
    }
    // The positions added since the box was last taken, in order; none when there were more
    // than kSpotLimit, and then only the box tells what changed. They stay readable until the
    // next add, even once the box is taken.
    std::span<const Spot> spots() const
    {
        return {spots_.data(), count_ <= kSpotLimit ? count_ : 0};
    }
    // The box, then empty again, with no positions listed; nothing when nothing was added.
    std::optional<LayoutScale::Box> take()
    {
        count_ = 0;
        const Bounds b = std::exchange(box_, Bounds());
        if (b.left > b.right)
            return std::nullopt;
        return LayoutScale::Box{b.left, b.top, b.right - b.left + 1, b.bottom - b.top + 1};
    }

private:
    template<class Write> void list(std::size_t n, Write write)
    {
        if (count_ + n <= kSpotLimit)
            write(spots_.data() + count_);
        count_ += n;
    }

    Bounds box_;
    std::size_t count_ = 0; // positions added, listed or not
    std::array<Spot, kSpotLimit> spots_;
};
