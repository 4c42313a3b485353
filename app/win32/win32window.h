#pragma once

#include "dibsurface.h"
#include "layouttable.h"
#include "mainform.h"
#include "win32runtimeservices.h"
#include "windowlayout.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

// The program's one window on Win32: builds its controls from the layout table, scales the
// layout by the monitor's dpi, and turns button clicks, timer ticks and its own start into the
// form's events.
class Win32Window
{
public:
    // Makes the window and its controls; on failure, why (for the user) in `error`.
    bool create(HINSTANCE instance, std::wstring &error);
    ~Win32Window();

    HWND hwnd() const { return hwnd_; }
    void show(int how);
    // Keys the dialog manager does not give push buttons: Return and Enter press the focused
    // one, once per key press. True when the message was used up.
    bool pressesButton(const MSG &msg) const;
    // Called after every tick (for measuring).
    void observeTicks(std::function<void()> observer) { tickObserver_ = std::move(observer); }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool createControls(HINSTANCE instance);
    HWND createControl(const Layout::Control &c, HINSTANCE instance);
    void onCommand(WPARAM wParam, LPARAM lParam);
    void onTimer(WPARAM id);
    bool onActivate(WPARAM wParam);
    void layOut(UINT dpi);
    void paintFrames();
    RECT ringAround(HWND control) const;
    HWND control(Layout::ControlId id) const { return controls_[Layout::indexOf(id)]; }
    bool isButton(HWND hwnd) const;

    HWND hwnd_ = nullptr;
    std::array<HWND, Layout::kControlCount> controls_{};
    DibSurface surface_;
    std::unique_ptr<Win32RuntimeServices> services_;
    std::unique_ptr<MainForm> form_;
    HFONT font_ = nullptr, indexFont_ = nullptr;
    WindowLayout layout_{1.0};
    HWND lastFocus_ = nullptr;
    std::function<void()> tickObserver_;
};
