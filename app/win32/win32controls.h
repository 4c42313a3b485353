#pragma once

#include "accessibleproxy.h"
#include "dibsurface.h"
#include "layouttable.h"
#include "windowlayout.h"

#include <windows.h>

#include <array>
#include <optional>

// The window's controls on Win32: made from the layout table, told what screen readers should
// hear of them, laid out by the monitor's dpi, and the fills painted beneath them.
class Win32Controls
{
public:
    // Control ids (WM_COMMAND) are this plus the control's place in the table's ids.
    static constexpr int kFirstId = 100;

    Win32Controls() = default;
    Win32Controls(const Win32Controls &) = delete;
    Win32Controls &operator=(const Win32Controls &) = delete;
    ~Win32Controls() { deleteFonts(); }

    // Every control's window on `parent`; false if one cannot be made.
    bool create(HWND parent, HINSTANCE instance);
    HWND control(Layout::ControlId id) const { return controls_[Layout::indexOf(id)]; }
    HWND valueLabel() const { return valueLabel_; }
    // What screen readers hear of the value label.
    AccessibleProxy *valueSpoken() const { return valueSpoken_; }
    DibSurface &surface() { return surface_; }
    std::optional<Layout::ControlId> idOf(HWND hwnd) const;
    bool isButton(HWND hwnd) const;

    // The layout at `dpi`, the controls placed in it with their fonts.
    const WindowLayout &layOut(UINT dpi);
    const WindowLayout &layout() const { return layout_; }
    // The fills beneath the controls, the ring around the focused one included.
    void paint(HDC dc) const;
    // Repaints the ring's place around `control`, which the focus came to or left.
    void updateRing(HWND control) const;
    // New system colours: every control and the drawing's ground take them.
    void takeSystemColors() const;

private:
    HWND createControl(const Layout::Control &c, HINSTANCE instance);
    HFONT fontOf(const Layout::Control &c) const { return c.font ? indexFont_ : font_; }
    void deleteFonts();

    HWND parent_ = nullptr;
    std::array<HWND, Layout::kControlCount> controls_{};
    HWND valueLabel_ = nullptr; // the label the stepper writes
    AccessibleProxy *valueSpoken_ = nullptr;
    DibSurface surface_;
    HFONT font_ = nullptr, indexFont_ = nullptr;
    WindowLayout layout_{1.0};
};
