#pragma once

#include "layouttable.h"

#include <windows.h>

// The system colour index (COLOR_...) for each of the window's system colours.
constexpr int sysColorIndex(Layout::SystemColor color)
{
    switch (color) {
    case Layout::SystemColor::Face:
        return COLOR_BTNFACE;
    case Layout::SystemColor::Window:
        return COLOR_WINDOW;
    case Layout::SystemColor::WindowText:
        break;
    }
    return COLOR_WINDOWTEXT;
}
