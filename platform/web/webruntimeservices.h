#pragma once

#include "basicpalette.h"
#include "dirtybox.h"
#include "layouttable.h"
#include "pixelsink.h"
#include "standardservices.h"

#include <array>
#include <cstdint>

// The word of an RGBA pixel, as a canvas's image data holds it: red in the lowest byte, alpha
// in the highest.
struct RgbaPixel
{
    static constexpr std::uint32_t word(Color c) { return 0xFF000000u | c; }
};

// RuntimeServices on a page. The drawing is an RGBA buffer in the module's memory; what changed
// goes to the page's canvas by present(), which the page calls after every handler. Unplotted
// pixels are transparent, so the surface's own background, the system's window colour, shows
// there, in a light or a dark scheme alike. lbl1 and tmr1 are the page's.
class WebRuntimeServices final : public StandardServices
{
public:
    explicit WebRuntimeServices(std::uint64_t seed) : StandardServices(seed) {}

    void setCaption(LabelId label, std::string_view text) override;
    void setBackColor(LabelId label, Color color) override;
    void setTimerEnabled(TimerId timer, bool enabled) override;
    void clearSurface(SurfaceId surface) override;
    void plotPixel(SurfaceId surface, std::int16_t x, std::int16_t y, Color color) override;
    void plotPixels(SurfaceId, std::span<const PixelPlot> plots) override { sink_.plotAll(plots); }

    // Sends the box plotted since the last call to the canvas.
    void present();
    // The page's own text colour, which lbl1 keeps where it reads well on its background.
    void setTextColor(Color text);

private:
    static constexpr int kWidth = Layout::kDrawingWidth, kHeight = Layout::kDrawingHeight;

    void showBackColor();

    std::array<std::uint32_t, kWidth * kHeight> pixels_{};
    DirtyBox dirty_;
    PixelSink<RgbaPixel> sink_{pixels_.data(), kWidth, kWidth, kHeight, dirty_};
    bool timerRunning_ = false;
    struct Caption
    {
        std::array<char, BasicPalette::SpokenValue::kMostCaption> text{};
        std::size_t length = 0;
        std::size_t size() const { return text.size(); }
        Caption &operator=(std::string_view s)
        {
            length = s.copy(text.data(), text.size());
            return *this;
        }
        std::string_view view() const { return {text.data(), length}; }
    } lbl1Caption_;
    Color lbl1Back_ = 0;
    bool backShown_ = false; // whether lbl1 has a background yet
    Color text_ = 0;
};
