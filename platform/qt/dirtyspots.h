#pragma once

#include "dirtybox.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

// The box of what changed and, while they are few, the positions themselves, so that the
// surface can send the display just those pixels.
class DirtySpots
{
public:
    // A position listed, as it was plotted (the colour along with it, unused: the list is
    // copied from the plots whole, which is cheaper than picking the positions out).
    using Spot = PixelPlot;
    // The most positions listed between two takes: two ticks' worth.
    static constexpr std::size_t kSpotLimit = 366;

    void add(int x, int y)
    {
        box_.add(x, y);
        list(1, [&](Spot *s) {
            *s = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0};
        });
    }
    // The positions of `plots` in order, of which `b` is the box.
    void add(const DirtyBox::Bounds &b, std::span<const PixelPlot> plots)
    {
        box_.add(b, plots);
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
        return box_.take();
    }

private:
    template<class Write> void list(std::size_t n, Write write)
    {
        if (count_ + n <= kSpotLimit)
            write(spots_.data() + count_);
        count_ += n;
    }

    DirtyBox box_;
    std::size_t count_ = 0; // positions added, listed or not
    std::array<Spot, kSpotLimit> spots_;
};
