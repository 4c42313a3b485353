#include "pointanimation.h"

#include <algorithm>
#include <array>

namespace {

// floor(scale * r) for r in [0, 1), formed in double precision so it is exact.
std::int16_t scaledFloor(int scale, float r)
{
    return static_cast<std::int16_t>(scale * static_cast<double>(r));
}

// Adds floor(2r), 0 or 1, to a coordinate in 0..max; max + 1 becomes 1.
void advanceAndWrap(std::int16_t &coordinate, std::int16_t max, float r)
{
    coordinate = static_cast<std::int16_t>(coordinate + scaledFloor(2, r));
    if (coordinate > max)
        coordinate = static_cast<std::int16_t>(coordinate - max);
}

// Adds floor(3r) - 1, that is -1, 0 or +1, to a coordinate in 0..max, held in that range.
void jitter(std::int16_t &coordinate, std::int16_t max, float r)
{
    coordinate = std::clamp<std::int16_t>(
        static_cast<std::int16_t>(coordinate + scaledFloor(3, r) - 1), 0, max);
}

// floor(v / max * 256) for v in 0..max, the share of a colour component that a coordinate earns.
template<int max> constexpr std::array<std::int16_t, max + 1> shadeTable()
{
    std::array<std::int16_t, max + 1> shades{};
    for (int v = 0; v <= max; ++v)
        shades[v] = static_cast<std::int16_t>(v / double{max} * 256);
    return shades;
}

constexpr auto kRedByRow = shadeTable<PointField::kMaxY>();
constexpr auto kBlueByColumn = shadeTable<PointField::kMaxX>();

} // namespace

void PointAnimation::reset()
{
    services_.clearSurface(SurfaceId::pct1);
    layOut(field_, mode_);
}

void PointAnimation::tick()
{
    for (int i = 0; i < PointField::kCount; ++i) {
        services_.plotPixel(SurfaceId::pct1, field_.x[i], field_.y[i], field_.color[i]);
        switch (mode_) {
        case MotionMode::Fall:
            fall(i);
            break;
        case MotionMode::Sort:
            sort(i);
            break;
        case MotionMode::Wind:
            wind(i);
            break;
        }
    }
}

// Drops by 0 or 1; past the bottom row it comes back at row 1.
void PointAnimation::fall(int i)
{
    advanceAndWrap(field_.y[i], PointField::kMaxY, services_.randomUnit());
    recolor(i, services_.randomUnit());
}

// Steps -1, 0 or +1 on each axis, held inside the field; the colour stays.
void PointAnimation::sort(int i)
{
    jitter(field_.x[i], PointField::kMaxX, services_.randomUnit());
    jitter(field_.y[i], PointField::kMaxY, services_.randomUnit());
}

// Drifts right by 0 or 1; past the right-hand column it comes back at column 1.
void PointAnimation::wind(int i)
{
    advanceAndWrap(field_.x[i], PointField::kMaxX, services_.randomUnit());
    recolor(i, services_.randomUnit());
}

// Red grows downward and blue rightward (each 0..256, composeRgb caps at 255); green is random.
void PointAnimation::recolor(int i, float greenSource)
{
    field_.color[i] = services_.composeRgb(kRedByRow[field_.y[i]], scaledFloor(256, greenSource),
                                           kBlueByColumn[field_.x[i]]);
}
