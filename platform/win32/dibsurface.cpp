#include "dibsurface.h"

#include "win32color.h"
#include "windowobject.h"

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"FizzetSurface";

// A box of the window's client area in the surface's own pixels, whose (0, 0) is at `origin`.
RECT toRect(const LayoutScale::Box &b, const LayoutScale::Box &origin)
{
    const int left = b.left - origin.left, top = b.top - origin.top;
    return {left, top, left + b.width, top + b.height};
}

} // namespace

bool DibSurface::registerClass(HINSTANCE instance)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &DibSurface::procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

HWND DibSurface::create(HWND parent, int id, HINSTANCE instance)
{
    if (!createPicture())
        return nullptr;
    hwnd_ = CreateWindowExW(0, kClassName, L"Point animation", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                            0, 0, 1, 1, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            instance, this);
    return hwnd_;
}

bool DibSurface::createPicture()
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    memory_ = CreateCompatibleDC(nullptr);
    if (!bitmap_ || !memory_)
        return false;
    pixels_ = static_cast<std::uint32_t *>(bits);
    previous_ = static_cast<HBITMAP>(SelectObject(memory_, bitmap_));
    clear();
    return true;
}

DibSurface::~DibSurface()
{
    if (memory_) {
        SelectObject(memory_, previous_);
        DeleteDC(memory_);
    }
    if (bitmap_)
        DeleteObject(bitmap_);
}

void DibSurface::clear()
{
    std::fill_n(pixels_, kWidth * kHeight,
                Pixel::word(GetSysColor(sysColorIndex(Layout::kSurfaceColor))));
    dirty_ = DirtyBox();
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

RECT DibSurface::flush()
{
    const auto box = dirty_.take();
    if (!box)
        return {};
    const RECT shown = shownRect(*box);
    if (hwnd_)
        InvalidateRect(hwnd_, &shown, FALSE);
    return shown;
}

void DibSurface::layOut(const WindowLayout &layout)
{
    layout_ = layout;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

RECT DibSurface::shownRect(const LayoutScale::Box &p) const
{
    const LayoutScale::Blocks blocks = layout_.blocks();
    const int b = blocks.size;
    return toRect({blocks.left + p.left * b, blocks.top + p.top * b, p.width * b, p.height * b},
                  layout_.box(Layout::ControlId::pct1));
}

void DibSurface::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const RECT shown = shownRect({0, 0, kWidth, kHeight});
    // The spare room around the blocks, then the border, then the picture.
    const LayoutScale::Box at = layout_.box(Layout::ControlId::pct1);
    const RECT room = toRect(layout_.drawingRoom(), at);
    HRGN spare = CreateRectRgnIndirect(&room);
    HRGN picture = CreateRectRgnIndirect(&shown);
    CombineRgn(spare, spare, picture, RGN_DIFF);
    FillRgn(dc, spare, GetSysColorBrush(sysColorIndex(Layout::kSurfaceColor)));
    DeleteObject(spare);
    DeleteObject(picture);
    HBRUSH ink = GetSysColorBrush(sysColorIndex(Layout::kLineColor));
    for (const WindowLayout::Line &line : layout_.lines())
        if (line.owner == Layout::ControlId::pct1) {
            const RECT edge = toRect(line.box, at);
            FillRect(dc, &edge, ink);
        }
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top,
               memory_, 0, 0, kWidth, kHeight, SRCCOPY);
    EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK DibSurface::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = windowObject(hwnd, message, lParam, &DibSurface::hwnd_);
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        self->paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: // the parent draws the focus ring around the surface
        SendMessageW(
            GetParent(hwnd), WM_COMMAND,
            MAKEWPARAM(GetDlgCtrlID(hwnd), message == WM_SETFOCUS ? BN_SETFOCUS : BN_KILLFOCUS),
            reinterpret_cast<LPARAM>(hwnd));
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
