#include "webruntimeservices.h"

#include "basicpalette.h"
#include "contrast.h"
#include "page.h"

#include <algorithm>

void WebRuntimeServices::setCaption(LabelId, std::string_view text)
{
    lbl1Caption_ = text;
    page_caption(text.data(), static_cast<int>(text.size()));
}

void WebRuntimeServices::setBackColor(LabelId, Color color)
{
    lbl1Back_ = color;
    backShown_ = true;
    showBackColor();
}

void WebRuntimeServices::setTextColor(Color text)
{
    text_ = text;
    if (backShown_)
        showBackColor();
}

void WebRuntimeServices::showBackColor()
{
    const BasicPalette::SpokenValue spoken(lbl1Caption_.view(), lbl1Back_);
    page_back(lbl1Back_, Contrast::readableTextOn(lbl1Back_, text_), spoken.view().data(),
              static_cast<int>(spoken.view().size()));
}

void WebRuntimeServices::setTimerEnabled(TimerId, bool enabled)
{
    if (enabled != timerRunning_)
        page_timer(enabled ? Layout::kTickInterval : 0);
    timerRunning_ = enabled;
}

void WebRuntimeServices::clearSurface(SurfaceId)
{
    pixels_.fill(0);
    dirty_.add(0, 0);
    dirty_.add(kWidth - 1, kHeight - 1);
}

void WebRuntimeServices::plotPixel(SurfaceId, std::int16_t x, std::int16_t y, Color color)
{
    sink_.plot(x, y, color);
}

void WebRuntimeServices::present()
{
    if (const auto box = dirty_.take())
        page_present(pixels_.data(), box->left, box->top, box->width, box->height);
}
