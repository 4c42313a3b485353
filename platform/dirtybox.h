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
    // A bounding box gathered in local variables, where the compiler can keep it in registers
    // while pixels are written.
    struct Bounds
    {
        int left = kNone, right = -1, top = kNone, bottom = -1;
        void add(int x, int y)
        {
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    };

    void add(int x, int y) { add(Bounds{x, x, y, y}); }
    void add(const Bounds &b)
    {
        left_ = std::min(left_, b.left);
        right_ = std::max(right_, b.right);
        top_ = std::min(top_, b.top);
        bottom_ = std::max(bottom_, b.bottom);
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
