#include "win32text.h"

#include <algorithm>
#include <cwchar>

using Layout::ControlId;

std::wstring widen(std::string_view text)
{
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

namespace {

// The system's font for messages at `dpi`.
LOGFONTW messageLogFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    return metrics.lfMessageFont;
}

} // namespace

HFONT messageFont(UINT dpi)
{
    const LOGFONTW font = messageLogFont(dpi);
    return CreateFontIndirectW(&font);
}

// lbl1's font; where the system has no such face, the message font's face at that size.
HFONT indexFont(UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(Layout::kIndexFontPoints, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring family = widen(Layout::kIndexFontFamily);
    std::wcsncpy(font.lfFaceName, family.c_str(), LF_FACESIZE - 1);
    HFONT made = CreateFontIndirectW(&font);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, made);
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    if (face == family || std::wcscmp(face, L"Microsoft Sans Serif") == 0)
        return made;
    DeleteObject(made);
    std::wcscpy(font.lfFaceName, messageLogFont(dpi).lfFaceName);
    return CreateFontIndirectW(&font);
}

// How far the widest text of a control overflows its box at `layout`: the caption, or every
// index for lbl1, in the control's font, within a button's edges.
double textShortfall(HWND window, const WindowLayout &layout, HFONT font, HFONT indexFont)
{
    HDC dc = GetDC(window);
    double worst = 0;
    for (const Layout::Control &c : Layout::kControls) {
        if (c.kind != Layout::Kind::PushButton && c.kind != Layout::Kind::Label)
            continue;
        const HGDIOBJ old = SelectObject(dc, c.id == ControlId::lbl1 ? indexFont : font);
        const int edge = c.kind == Layout::Kind::PushButton ? 3 * layout.line() : 0;
        const LayoutScale::Box box = layout.box(c.id);
        for (const std::string_view caption : Layout::textsToFit(c)) {
            const std::wstring text = widen(caption);
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            worst = std::max({worst, double(size.cx) / (box.width - 2 * edge),
                              double(size.cy) / (box.height - 2 * edge)});
        }
        SelectObject(dc, old);
    }
    ReleaseDC(window, dc);
    return worst;
}
