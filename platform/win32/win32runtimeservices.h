#pragma once

#include "accessibleproxy.h"
#include "dibsurface.h"
#include "standardservices.h"

#include <windows.h>

#include <string>

// RuntimeServices on Win32 controls. tmr1 is a window timer on `window` (WM_TIMER with
// `timerId`), which the window turns into ticks: WM_TIMER is made only when the queue is empty
// and never more than one waits, so late ticks cannot pile up, and it keeps coming while the
// window is moved or sized in the system's own loops. Windows rounds timers to the system clock
// tick (15.6 ms, so 25 ms would come every 31.25 ms); while the animation runs the clock is set
// to 1 ms, and put back when it stops, so the rest of the time the program costs the system no
// extra wake-ups.
class Win32RuntimeServices final : public StandardServices
{
public:
    // `lbl1Spoken` names lbl1 for screen readers: the value it shows, announced on every show.
    Win32RuntimeServices(HWND window, UINT_PTR timerId, HWND lbl1, AccessibleProxy *lbl1Spoken,
                         DibSurface &pct1);
    ~Win32RuntimeServices() override;
    Win32RuntimeServices(const Win32RuntimeServices &) = delete;
    Win32RuntimeServices &operator=(const Win32RuntimeServices &) = delete;

    void setCaption(LabelId label, std::string_view text) override;
    void setBackColor(LabelId label, Color color) override;
    void setTimerEnabled(TimerId timer, bool enabled) override;
    void clearSurface(SurfaceId surface) override;
    void plotPixel(SurfaceId surface, std::int16_t x, std::int16_t y, Color color) override;
    void plotPixels(SurfaceId, std::span<const PixelPlot> plots) override { pct1_.plotAll(plots); }

    bool timerRunning() const { return timerRunning_; }
    // Answers WM_CTLCOLORSTATIC for lbl1: its colours on `dc`, and the brush of its background.
    // The text takes the system's label colour as it is now, where that reads well.
    HBRUSH labelColors(HDC dc) const;

private:
    HWND window_;
    UINT_PTR timerId_;
    HWND lbl1_;
    AccessibleProxy *lbl1Spoken_;
    std::string lbl1Caption_;
    DibSurface &pct1_;
    bool timerRunning_ = false;
    Color lbl1Back_ = 0;
    HBRUSH lbl1Brush_ = nullptr; // made once per background colour
};
