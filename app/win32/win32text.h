#pragma once

#include "layouttable.h"
#include "widen.h"
#include "windowlayout.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

// The window's texts and fonts on Win32.

// The system's message font at `dpi`, for the controls that have no font of their own.
HFONT messageFont(UINT dpi);
// `font` at `dpi`: its family, else the first stand-in the system has, else the message font's
// face at that size.
HFONT createFont(const Layout::Font &font, UINT dpi);
// How far the widest text of a control overflows the room its window leaves for text at
// `layout`: its caption, or every index for the value label, in its font (`fontOf`); at most 1
// where all fit. `windowOf` gives each control's window.
double textShortfall(const WindowLayout &layout,
                     const std::function<HWND(Layout::ControlId)> &windowOf,
                     const std::function<HFONT(const Layout::Control &)> &fontOf);
