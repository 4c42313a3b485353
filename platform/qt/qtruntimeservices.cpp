#include "qtruntimeservices.h"

#include "atspiannouncer.h"
#include "basicpalette.h"
#include "contrast.h"
#include "drawingsurface.h"
#include "qtcolor.h"

#include <QAccessible>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <sys/random.h>

namespace {

QString colorName(Color color)
{
    const std::string_view name = BasicPalette::nameOf(color);
    if (name.empty())
        return toQColor(color).name();
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::uint64_t kernelSeed()
{
    std::uint64_t bits = 0;
    if (getrandom(&bits, sizeof bits, GRND_NONBLOCK) == sizeof bits)
        return bits;
    return RandomSource::deviceSeed();
}

} // namespace

QtRuntimeServices::QtRuntimeServices(QLabel &lbl1, QTimer &tmr1, DrawingSurface &pct1)
    : StandardServices(kernelSeed()), lbl1_(lbl1), tmr1_(tmr1), pct1_(pct1),
      lbl1Text_(lbl1.palette().color(QPalette::WindowText))
{}

void QtRuntimeServices::setCaption(LabelId, std::string_view text)
{
    lbl1_.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtRuntimeServices::setBackColor(LabelId, Color color)
{
    QPalette palette = lbl1_.palette();
    palette.setColor(QPalette::Window, toQColor(color));
    const QRgb own = lbl1Text_.rgb();
    palette.setColor(
        QPalette::WindowText,
        toQColor(Contrast::readableTextOn(color, composeRgb(qRed(own), qGreen(own), qBlue(own)))));
    lbl1_.setPalette(palette);
    lbl1_.setAutoFillBackground(true);
    lbl1_.setAccessibleName(lbl1_.text() + QStringLiteral(", ") + colorName(color));
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
