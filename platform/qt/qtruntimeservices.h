#pragma once

#include "standardservices.h"

#include <vector>

class DrawingSurface;
class ValueLabel;
class QTimer;
class QWidget;

// RuntimeServices on Qt widgets. The controls must outlive this object. The random sequence is
// seeded from the kernel, so std::random_device, and the pages of the C++ library its set-up
// touches, are needed only where that call is refused.
class QtRuntimeServices final : public StandardServices
{
public:
    QtRuntimeServices(ValueLabel &lbl1, QTimer &tmr1, DrawingSurface &pct1);

    // Controls whose accessible description repeats what lbl1 shows, such as the buttons that
    // step it: a screen reader speaks the new value for the focused one, without moving focus.
    void echoLabelOn(std::vector<QWidget *> controls) { lbl1Echoes_ = std::move(controls); }

    void setCaption(LabelId label, std::string_view text) override;
    void setBackColor(LabelId label, Color color) override;
    void setTimerEnabled(TimerId timer, bool enabled) override;
    void clearSurface(SurfaceId surface) override;
    void plotPixel(SurfaceId surface, std::int16_t x, std::int16_t y, Color color) override;
    void plotPixels(SurfaceId surface, std::span<const PixelPlot> plots) override;

private:
    void announceLabel();

    ValueLabel &lbl1_;
    QTimer &tmr1_;
    DrawingSurface &pct1_;
    std::vector<QWidget *> lbl1Echoes_;
};
