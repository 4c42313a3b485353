#include "win32runtimeservices.h"

#include "basicpalette.h"
#include "contrast.h"
#include "layouttable.h"
#include "widen.h"
#include "win32color.h"

#include <mmsystem.h>

Win32RuntimeServices::Win32RuntimeServices(HWND window, UINT_PTR timerId, HWND lbl1,
                                           AccessibleProxy *lbl1Spoken, DibSurface &pct1)
    : window_(window), timerId_(timerId), lbl1_(lbl1), lbl1Spoken_(lbl1Spoken), pct1_(pct1)
{}

Win32RuntimeServices::~Win32RuntimeServices()
{
    setTimerEnabled(TimerId::tmr1, false);
    if (lbl1Brush_)
        DeleteObject(lbl1Brush_);
}

void Win32RuntimeServices::setCaption(LabelId, std::string_view text)
{
    SetWindowTextW(lbl1_, widen(text).c_str());
    lbl1Caption_ = text;
}

void Win32RuntimeServices::setBackColor(LabelId, Color color)
{
    if (!lbl1Brush_ || color != lbl1Back_) {
        if (lbl1Brush_)
            DeleteObject(lbl1Brush_);
        lbl1Brush_ = CreateSolidBrush(color); // a COLORREF is 0x00BBGGRR, like Color
        lbl1Back_ = color;
    }
    InvalidateRect(lbl1_, nullptr, TRUE);
    if (lbl1Spoken_) // the last step of showing a value, so the event comes after the text
        lbl1Spoken_->announce(widen(BasicPalette::SpokenValue(lbl1Caption_, color).view()));
}

HBRUSH Win32RuntimeServices::labelColors(HDC dc) const
{
    const Color text = GetSysColor(sysColorIndex(Layout::kLabelTextColor));
    if (!lbl1Brush_) {
        SetTextColor(dc, text);
        return GetSysColorBrush(sysColorIndex(Layout::kClientColor));
    }
    SetTextColor(dc, Contrast::readableTextOn(lbl1Back_, text));
    SetBkColor(dc, lbl1Back_);
    return lbl1Brush_;
}

void Win32RuntimeServices::setTimerEnabled(TimerId, bool enabled)
{
    if (enabled == timerRunning_)
        return;
    timerRunning_ = enabled;
    if (enabled) {
        timeBeginPeriod(1);
        SetTimer(window_, timerId_, Layout::kTickInterval, nullptr);
    } else {
        KillTimer(window_, timerId_);
        timeEndPeriod(1);
    }
}

void Win32RuntimeServices::clearSurface(SurfaceId)
{
    pct1_.clear();
}

void Win32RuntimeServices::plotPixel(SurfaceId, std::int16_t x, std::int16_t y, Color color)
{
    pct1_.plot(x, y, color);
}
