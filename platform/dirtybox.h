#pragma once

#include "layoutscale.h"

#include <algorithm>
#include <limits>
#include <optional>

// The bounding box of the positions plotted since it was last taken, so that a surface repaints
// only what changed.
class DirtyBox
{
public:
    void add(int x, int y)
    {
        left_ = std::min(left_, x);
        right_ = std::max(right_, x);
        top_ = std::min(top_, y);
        bottom_ = std::max(bottom_, y);
    }
    // The box, then empty again; nothing when nothing was added.
    std::optional<LayoutScale::Box> take()
    {
        if (left_ > right_)
            return std::nullopt;
        const LayoutScale::Box box{left_, top_, right_ - left_ + 1, bottom_ - top_ + 1};
        *this = DirtyBox();
        return box;
    }

private:
    static constexpr int kNone = std::numeric_limits<int>::max();
    int left_ = kNone, right_ = -1, top_ = kNone, bottom_ = -1;
};
