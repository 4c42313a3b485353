#include "pointanimation.h"

#include <array>

namespace {

// floor(scale * r) for r in [0, 1), formed in double precision so it is exact.
std::int16_t scaledFloor(int scale, float r)
{
    return static_cast<std::int16_t>(scale * static_cast<double>(r));
}

// floor(v / max * 256) for v in 0..max, the share of a colour component that a coordinate earns.
template<int max>
constexpr std::array<std::int16_t, max + 1> shadeTable()
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
    auto &y = field_.y[i];
    y = static_cast<std::int16_t>(y + scaledFloor(2, services_.randomUnit()));
    if (y > PointField::kMaxY)
        y = static_cast<std::int16_t>(y - PointField::kMaxY);
    recolor(i, services_.randomUnit());
}

// Steps -1, 0 or +1 on each axis, held inside the field; the colour stays.
void PointAnimation::sort(int i)
{
    auto &x = field_.x[i];
    auto &y = field_.y[i];
    x = static_cast<std::int16_t>(x + scaledFloor(3, services_.randomUnit()) - 1);
    y = static_cast<std::int16_t>(y + scaledFloor(3, services_.randomUnit()) - 1);
    if (x < 0)
        x = 0;
    if (x > PointField::kMaxX)
        x = PointField::kMaxX;
    if (y < 0)
        y = 0;
    if (y > PointField::kMaxY)
        y = PointField::kMaxY;
}

// Drifts right by 0 or 1; past the right-hand column it comes back at column 1.
void PointAnimation::wind(int i)
{
    auto &x = field_.x[i];
    x = static_cast<std::int16_t>(x + scaledFloor(2, services_.randomUnit()));
    if (x > PointField::kMaxX)
        x = static_cast<std::int16_t>(x - PointField::kMaxX);
    recolor(i, services_.randomUnit());
}

// Red grows downward and blue rightward (each 0..256, composeRgb caps at 255); green is random.
void PointAnimation::recolor(int i, float greenSource)
{
    field_.color[i] = services_.composeRgb(kRedByRow[field_.y[i]], scaledFloor(256, greenSource),
                                           kBlueByColumn[field_.x[i]]);
}
