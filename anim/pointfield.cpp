#include "pointfield.h"

void layOut(PointField &field, MotionMode mode)
{
    for (std::int16_t i = 0; i < PointField::kCount; ++i) {
        switch (mode) {
        case MotionMode::Fall:
            field.y[i] = 0;
            field.x[i] = i;
            break;
        case MotionMode::Sort:
            field.y[i] = spreadRow(i);
            field.x[i] = i;
            break;
        case MotionMode::Wind:
            field.y[i] = spreadRow(i);
            field.x[i] = 0;
            break;
        }
    }
}
