#pragma once

#include "pcg32.h"
#include "randomunit.h"
#include "runtimeservices.h"

#include <QColor>

#include <optional>

class DrawingSurface;
class QLabel;
class QTimer;

// RuntimeServices on Qt widgets. The controls must outlive this object.
class QtRuntimeServices final : public RuntimeServices
{
public:
    QtRuntimeServices(QLabel &lbl1, QTimer &tmr1, DrawingSurface &pct1);

    float randomUnit() override { return unitFromBits(engine_()); }
    Color composeRgb(std::int16_t red, std::int16_t green, std::int16_t blue) override;
    Color basicPaletteColor(std::int16_t index) override;
    std::string intToText(std::int16_t value) override;

    void setCaption(LabelId label, std::string_view text) override;
    void setBackColor(LabelId label, Color color) override;
    void setTimerEnabled(TimerId timer, bool enabled) override;
    void clearSurface(SurfaceId surface) override;
    void plotPixel(SurfaceId surface, std::int16_t x, std::int16_t y, Color color) override;

private:
    void describeLabel();

    QLabel &lbl1_;
    QTimer &tmr1_;
    DrawingSurface &pct1_;
    Pcg32 engine_;
    QColor lbl1Text_; // the label's own text colour, kept where it reads well
    std::optional<Color> lbl1Back_;
};
