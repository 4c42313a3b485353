#pragma once

#include "color.h"

#include <array>
#include <cstdint>

// The motion rule that the animation applies on every tick.
enum class MotionMode : std::int16_t
{
    Fall = 0,
    Sort = 1,
    Wind = 2
};

// The 183 animated points, in drawing order. Invariant: every x in 0..kMaxX, every y in
// 0..kMaxY. All zero (every point black at the top-left corner) until laid out.
struct PointField
{
    static constexpr std::int16_t kCount = 183;
    static constexpr std::int16_t kMaxX = 182;
    static constexpr std::int16_t kMaxY = 127;

    std::array<std::int16_t, kCount> y{};
    std::array<std::int16_t, kCount> x{};
    std::array<Color, kCount> color{};
};

// The row of point i (0..182) when the points are spread evenly from the top row to the bottom
// one: floor(i / 182 * 127), so every row holds one or two points.
constexpr std::int16_t spreadRow(int i)
{
    return static_cast<std::int16_t>(static_cast<double>(i) / PointField::kMaxX *
                                     PointField::kMaxY);
}

// Moves every point to the starting pattern of the rule; colours stay as they are.
//   Fall: along the top edge, point i in column i.
//   Sort: on the diagonal from (0, 0) to (182, 127).
//   Wind: down the left edge, spread from top to bottom.
void layOut(PointField &field, MotionMode mode);
