#include "qtruntimeservices.h"

#include "atspiannouncer.h"
#include "basicpalette.h"
#include "drawingsurface.h"
#include "valuelabel.h"

#include <QAccessible>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <sys/random.h>

namespace {

std::uint64_t kernelSeed()
{
    std::uint64_t bits = 0;
    if (getrandom(&bits, sizeof bits, GRND_NONBLOCK) == sizeof bits)
        return bits;
    return RandomSource::deviceSeed();
}

} // namespace

QtRuntimeServices::QtRuntimeServices(ValueLabel &lbl1, QTimer &tmr1, DrawingSurface &pct1)
    : StandardServices(kernelSeed()), lbl1_(lbl1), tmr1_(tmr1), pct1_(pct1)
{}

void QtRuntimeServices::setCaption(LabelId, std::string_view text)
{
    lbl1_.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtRuntimeServices::setBackColor(LabelId, Color color)
{
    lbl1_.setBack(color);
    const BasicPalette::SpokenValue spoken(lbl1_.text().toStdString(), color);
    lbl1_.setAccessibleName(
        QString::fromUtf8(spoken.view().data(), static_cast<qsizetype>(spoken.view().size())));
    announceLabel();
}

// Once per new background, the last step of showing a value: one change event per echo, also
// when the value stays (a step at either end), so every press is answered.
void QtRuntimeServices::announceLabel()
{
    for (QWidget *echo : lbl1Echoes_) {
        if (echo->accessibleDescription() != lbl1_.accessibleName()) {
            echo->setAccessibleDescription(lbl1_.accessibleName());
        } else {
            QAccessibleEvent changed(echo, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&changed);
        }
        if (echo->hasFocus())
            AtSpiAnnouncer::descriptionChanged(echo, lbl1_.accessibleName());
    }
}

void QtRuntimeServices::setTimerEnabled(TimerId, bool enabled)
{
    if (enabled && !tmr1_.isActive())
        tmr1_.start();
    else if (!enabled)
        tmr1_.stop();
}

void QtRuntimeServices::clearSurface(SurfaceId)
{
    pct1_.clear();
}

void QtRuntimeServices::plotPixel(SurfaceId, std::int16_t x, std::int16_t y, Color color)
{
    pct1_.plot(x, y, color);
}

void QtRuntimeServices::plotPixels(SurfaceId, std::span<const PixelPlot> plots)
{
    pct1_.plotAll(plots);
}
