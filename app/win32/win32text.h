#pragma once

#include "layouttable.h"
#include "windowlayout.h"

#include <windows.h>

#include <string>
#include <string_view>

// The window's texts and fonts on Win32.

// UTF-8 to the UTF-16 of Windows' wide calls.
std::wstring widen(std::string_view text);
// The system's message font at `dpi`, for the buttons and Label1.
HFONT messageFont(UINT dpi);
// lbl1's font at `dpi`; where the system has no such face, the message font's face at that size.
HFONT indexFont(UINT dpi);
// How far the widest text of a control overflows its box at `layout`: the caption, or every
// index for lbl1, in the control's font, within a button's edges; at most 1 where all fit.
double textShortfall(HWND window, const WindowLayout &layout, HFONT font, HFONT indexFont);
