#pragma once

#include <algorithm>
#include <array>
#include <cmath>

// The layout is drawn on a grid of 96 dots per inch and scaled from there as a whole, the same
// way by every front-end.
namespace LayoutScale {

// A rectangle of whole pixels: left and top inclusive, width and height at least 1.
struct Box
{
    int left, top, width, height;
    constexpr int right() const { return left + width - 1; }
    constexpr int bottom() const { return top + height - 1; }
    bool operator==(const Box &) const = default;
};

inline int scaled(int at96, double factor)
{
    return static_cast<int>(std::lround(at96 * factor));
}

// Edges scale: areas that meet edge to edge at 96 dpi still do.
inline Box area(const Box &b, double factor)
{
    const int left = scaled(b.left, factor), top = scaled(b.top, factor);
    return {left, top, scaled(b.left + b.width, factor) - left,
            scaled(b.top + b.height, factor) - top};
}

// Lines scale: a box's first and last rows and columns stay on the lines it shares with its
// neighbours (frame rectangles, and the drawing surface whose edges they meet), `line` pixels
// wide (at least 1).
inline Box outline(const Box &b, double factor, int line)
{
    const int left = scaled(b.left, factor), top = scaled(b.top, factor);
    return {left, top, scaled(b.right(), factor) - left + line,
            scaled(b.bottom(), factor) - top + line};
}

// Positions of `positions` wide and high shown in `area` as square blocks of the largest whole
// number of pixels that fits (at least 1), centred; the blocks and their origin.
struct Blocks
{
    int size;
    int left, top;
};
constexpr Blocks fit(int positionsWide, int positionsHigh, const Box &area)
{
    int size = std::min(area.width / positionsWide, area.height / positionsHigh);
    size = size < 1 ? 1 : size;
    const int spareX = area.width - positionsWide * size,
              spareY = area.height - positionsHigh * size;
    return {size, area.left + (spareX > 0 ? spareX / 2 : 0),
            area.top + (spareY > 0 ? spareY / 2 : 0)};
}

// The four sides of an outline `width` pixels wide along the inside of `b`: top, bottom, left,
// right. The frame rectangles are outlines one pixel wide.
constexpr std::array<Box, 4> sides(const Box &b, int width)
{
    return {{{b.left, b.top, b.width, width},
             {b.left, b.bottom() - width + 1, b.width, width},
             {b.left, b.top, width, b.height},
             {b.right() - width + 1, b.top, width, b.height}}};
}

} // namespace LayoutScale
