#pragma once

#include "mainform.h"
#include "win32controls.h"
#include "win32runtimeservices.h"

#include <windows.h>

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
    void onCommand(WPARAM wParam, LPARAM lParam);
    void onTimer(WPARAM id);
    bool onActivate(WPARAM wParam);
    void layOut(UINT dpi);

    HWND hwnd_ = nullptr;
    Win32Controls controls_;
    std::unique_ptr<Win32RuntimeServices> services_;
    std::unique_ptr<MainForm> form_;
    HWND lastFocus_ = nullptr;
    std::function<void()> tickObserver_;
};
