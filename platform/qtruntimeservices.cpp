#include "qtruntimeservices.h"

#include "basicpalette.h"
#include "drawingsurface.h"
#include "qtcolor.h"

#include <QAccessible>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>

namespace {

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double luminance(const QColor &c)
{
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The palette's own text colour where it reads well on the background, else black or white.
QColor readableTextOn(const QColor &back, const QColor &preferred)
{
    constexpr double kMinimumContrast = 4.5;
    if (contrast(preferred, back) >= kMinimumContrast)
        return preferred;
    return contrast(Qt::black, back) >= contrast(Qt::white, back) ? Qt::black : Qt::white;
}

QString colorName(Color color)
{
    for (const auto &entry : BasicPalette::kEntries)
        if (entry.color == color)
            return QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size()));
    return toQColor(color).name();
}

} // namespace

QtRuntimeServices::QtRuntimeServices(QLabel &lbl1, QTimer &tmr1, DrawingSurface &pct1)
    : lbl1_(lbl1), tmr1_(tmr1), pct1_(pct1),
      engine_(std::random_device{}() | std::uint64_t{std::random_device{}()} << 32),
      lbl1Text_(lbl1.palette().color(QPalette::WindowText))
{}

Color QtRuntimeServices::composeRgb(std::int16_t red, std::int16_t green, std::int16_t blue)
{
    return rgbColor(red, green, blue);
}

Color QtRuntimeServices::basicPaletteColor(std::int16_t index)
{
    return BasicPalette::color(index);
}

std::string QtRuntimeServices::intToText(std::int16_t value)
{
    char digits[8];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    return std::string(digits, end);
}

void QtRuntimeServices::setCaption(LabelId, std::string_view text)
{
    lbl1_.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtRuntimeServices::setBackColor(LabelId, Color color)
{
    const QColor back = toQColor(color);
    QPalette palette = lbl1_.palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, readableTextOn(back, lbl1Text_));
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
