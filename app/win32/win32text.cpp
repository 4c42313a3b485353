#include "win32text.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cwchar>

namespace {

// The system's font for messages at `dpi`.
LOGFONTW messageLogFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    return metrics.lfMessageFont;
}

// Whether the system has a face of that name: one of its font families answers to it.
bool hasFace(const std::wstring &face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(
        dc, &wanted,
        [](const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found) {
            *reinterpret_cast<bool *>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

// The room a button leaves for its text: inside the edges its theme (or the classic look) draws,
// and its text margins.
RECT textRoom(HWND button, RECT box)
{
    RECT room = box;
    if (HTHEME theme = OpenThemeData(button, L"BUTTON")) {
        HDC dc = GetDC(button);
        GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, PBS_NORMAL, &box, &room);
        ReleaseDC(button, dc);
        CloseThemeData(theme);
    } else { // the classic edge, and the focus rectangle inside it
        const int edge = GetSystemMetricsForDpi(SM_CXEDGE, GetDpiForWindow(button)) + 1;
        InflateRect(&room, -edge, -edge);
    }
    RECT margin{};
    if (SendMessageW(button, BCM_GETTEXTMARGIN, 0, reinterpret_cast<LPARAM>(&margin)))
        room = {room.left + margin.left, room.top + margin.top, room.right - margin.right,
                room.bottom - margin.bottom};
    return room;
}

} // namespace

HFONT messageFont(UINT dpi)
{
    const LOGFONTW font = messageLogFont(dpi);
    return CreateFontIndirectW(&font);
}

HFONT createFont(const Layout::Font &from, UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(from.points, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfQuality = CLEARTYPE_QUALITY;
    std::wstring face = messageLogFont(dpi).lfFaceName;
    for (auto name = from.standIns.rbegin(); name != from.standIns.rend(); ++name)
        if (hasFace(widen(*name)))
            face = widen(*name);
    if (hasFace(widen(from.family)))
        face = widen(from.family);
    std::wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

double textShortfall(const WindowLayout &layout,
                     const std::function<HWND(Layout::ControlId)> &windowOf,
                     const std::function<HFONT(const Layout::Control &)> &fontOf)
{
    double worst = 0;
    for (const Layout::Control &c : Layout::kControls) {
        if (c.kind != Layout::Kind::PushButton && c.kind != Layout::Kind::Label)
            continue;
        HWND hwnd = windowOf(c.id);
        const LayoutScale::Box at = layout.box(c.id);
        const RECT box{0, 0, at.width, at.height};
        const RECT room = c.kind == Layout::Kind::PushButton ? textRoom(hwnd, box) : box;
        HDC dc = GetDC(hwnd);
        const HGDIOBJ old = SelectObject(dc, fontOf(c));
        for (const std::string_view caption : Layout::textsToFit(c)) {
            const std::wstring text = widen(caption);
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            worst = std::max({worst, double(size.cx) / (room.right - room.left),
                              double(size.cy) / (room.bottom - room.top)});
        }
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
    }
    return worst;
}
