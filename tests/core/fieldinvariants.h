#pragma once

#include "pointfield.h"

#include <string>

// Empty while every point lies in the field, else which point has left it and where.
inline std::string fieldFault(const PointField &field)
{
    for (int i = 0; i < PointField::kCount; ++i)
        if (field.x[i] < 0 || field.x[i] > PointField::kMaxX || field.y[i] < 0 ||
            field.y[i] > PointField::kMaxY)
            return "point " + std::to_string(i) + " at (" + std::to_string(field.x[i]) + ", " +
                   std::to_string(field.y[i]) + ")";
    return {};
}
