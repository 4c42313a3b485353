#include "pointanimation.h"

#include <algorithm>
#include <array>

namespace {

// floor(scale * r) for r in [0, 1), formed exactly: in single precision where the scale is a
// power of two (scaling a float by one is exact), else in double precision.
template<int scale> int scaledFloor(float r)
{
    if constexpr ((scale & (scale - 1)) == 0)
        return static_cast<int>(r * static_cast<float>(scale));
    else
        return static_cast<int>(scale * static_cast<double>(r));
}

// Adds floor(2r), 0 or 1, to a coordinate in 0..max; max + 1 becomes 1.
void advanceAndWrap(std::int16_t &coordinate, std::int16_t max, float r)
{
    coordinate = static_cast<std::int16_t>(coordinate + scaledFloor<2>(r));
    if (coordinate > max)
        coordinate = static_cast<std::int16_t>(coordinate - max);
}

// Adds floor(3r) - 1, that is -1, 0 or +1, to a coordinate in 0..max, held in that range.
void jitter(std::int16_t &coordinate, std::int16_t max, float r)
{
    coordinate = std::clamp<std::int16_t>(
        static_cast<std::int16_t>(coordinate + scaledFloor<3>(r) - 1), 0, max);
}

// The colour a point at (x, y) earns before its green: red floor(y / 127 * 256), blue
// floor(x / 182 * 256), composed by composeRgb, which counts 256 as 255. One table for each:
// composing is a bitwise or of the components' bytes.
template<int max> constexpr int shadeOf(int v)
{
    return static_cast<int>(v / double{max} * 256);
}
constexpr auto kRedByRow = [] {
    std::array<Color, PointField::kMaxY + 1> reds{};
    for (int y = 0; y <= PointField::kMaxY; ++y)
        reds[y] = composeRgb(shadeOf<PointField::kMaxY>(y), 0, 0);
    return reds;
}();
constexpr auto kBlueByColumn = [] {
    std::array<Color, PointField::kMaxX + 1> blues{};
    for (int x = 0; x <= PointField::kMaxX; ++x)
        blues[x] = composeRgb(0, 0, shadeOf<PointField::kMaxX>(x));
    return blues;
}();

// The colour of a point at (x, y): red grows downward, blue rightward; green is random, 0..255.
Color shade(int x, int y, float greenSource)
{
    // Green is 0..255 already, so its byte goes in as composeRgb would put it.
    return kRedByRow[y] | static_cast<Color>(scaledFloor<256>(greenSource)) << 8 | kBlueByColumn[x];
}

} // namespace

void PointAnimation::reset()
{
    services_.clearSurface(SurfaceId::pct1);
    layOut(field_, mode_);
}

// Every point is plotted where the previous tick left it, then moved. The 366 random values
// are drawn at once, in the order in which the points take them (two each, point by point),
// and the points are plotted all at once, in one call, before any moves: moving a point changes
// nothing another point plots, so nobody can tell this from one point after the other.
void PointAnimation::tick()
{
    std::array<float, 2 * PointField::kCount> r;
    services_.randomUnits(r);
    std::array<PixelPlot, PointField::kCount> plots;
    for (int i = 0; i < PointField::kCount; ++i) {
        plots[i].x = field_.x[i];
        plots[i].y = field_.y[i];
        plots[i].color = field_.color[i];
    }
    services_.plotPixels(SurfaceId::pct1, plots);
    move(r);
}

void PointAnimation::move(const std::array<float, 2 * PointField::kCount> &r)
{
    constexpr int n = PointField::kCount;
    auto &xs = field_.x, &ys = field_.y;
    auto &colors = field_.color;
    switch (mode_) {
    case MotionMode::Fall: // drop by 0 or 1; past the bottom row, back at row 1
        for (int i = 0; i < n; ++i) {
            advanceAndWrap(ys[i], PointField::kMaxY, r[2 * i]);
            colors[i] = shade(xs[i], ys[i], r[2 * i + 1]);
        }
        break;
    case MotionMode::Sort: // step -1, 0 or +1 each way, held inside; the colour stays
        for (int i = 0; i < n; ++i) {
            jitter(xs[i], PointField::kMaxX, r[2 * i]);
            jitter(ys[i], PointField::kMaxY, r[2 * i + 1]);
        }
        break;
    case MotionMode::Wind: // drift right by 0 or 1; past the last column, back at column 1
        for (int i = 0; i < n; ++i) {
            advanceAndWrap(xs[i], PointField::kMaxX, r[2 * i]);
            colors[i] = shade(xs[i], ys[i], r[2 * i + 1]);
        }
        break;
    }
}
