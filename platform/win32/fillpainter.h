#pragma once

#include "win32color.h"
#include "windowlayout.h"

#include <windows.h>

// The window's fills on a device context: each box in its system colour as the system has it
// now, in the pixels of a window whose (0, 0) is the client area's `origin`.
namespace FillPainter {

inline void paint(HDC dc, const WindowLayout::Fills &fills, POINT origin = {0, 0})
{
    for (const WindowLayout::Fill &fill : fills) {
        const RECT r{fill.box.left - origin.x, fill.box.top - origin.y,
                     fill.box.left + fill.box.width - origin.x,
                     fill.box.top + fill.box.height - origin.y};
        FillRect(dc, &r, GetSysColorBrush(sysColorIndex(fill.color)));
    }
}

} // namespace FillPainter
