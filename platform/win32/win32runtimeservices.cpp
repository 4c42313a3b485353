#include "win32runtimeservices.h"

#include "contrast.h"
#include "layouttable.h"
#include "win32color.h"

#include <iterator>
#include <mmsystem.h>

Win32RuntimeServices::Win32RuntimeServices(HWND window, UINT_PTR timerId, HWND lbl1,
                                           DibSurface &pct1)
    : window_(window), timerId_(timerId), lbl1_(lbl1), pct1_(pct1)
{}

Win32RuntimeServices::~Win32RuntimeServices()
{
    setTimerEnabled(TimerId::tmr1, false);
    if (lbl1Brush_)
        DeleteObject(lbl1Brush_);
}

void Win32RuntimeServices::setCaption(LabelId, std::string_view text)
{
    wchar_t wide[64];
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide,
                                      static_cast<int>(std::size(wide)) - 1);
    wide[n > 0 ? n : 0] = L'\0';
    SetWindowTextW(lbl1_, wide);
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
