#include "dibsurface.h"

#include "fillpainter.h"
#include "win32color.h"
#include "windowobject.h"

#include <algorithm>
#include <optional>

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
    // Its own device context, drawn on at every tick, keeps its state: a shared one is reset on
    // every GetDC, font and all.
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = &DibSurface::procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND DibSurface::create(HWND parent, int id, HINSTANCE instance, DWORD style, const wchar_t *name)
{
    if (!createPicture())
        return nullptr;
    hwnd_ = CreateWindowExW(0, kClassName, name, WS_CHILD | WS_VISIBLE | style, 0, 0, 1, 1, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    if (hwnd_) {
        screen_ = GetDC(hwnd_); // the window's own, valid as long as the window
        SetStretchBltMode(screen_, COLORONCOLOR);
    }
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
    ground_ = Pixel::word(GetSysColor(sysColorIndex(Layout::kSurfaceColor)));
    std::fill_n(pixels_, kWidth * kHeight, ground_);
    dirty_ = DirtyBox();
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void DibSurface::recolourGround()
{
    const std::uint32_t old = ground_;
    ground_ = Pixel::word(GetSysColor(sysColorIndex(Layout::kSurfaceColor)));
    std::replace(pixels_, pixels_ + kWidth * kHeight, old, ground_);
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

RECT DibSurface::flush()
{
    const auto box = dirty_.take();
    if (!box)
        return {};
    const RECT shown = shownRect(*box);
    if (screen_)
        StretchBlt(screen_, shown.left, shown.top, shown.right - shown.left,
                   shown.bottom - shown.top, memory_, box->left, box->top, box->width, box->height,
                   SRCCOPY);
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

// What the window paints where the surface is (its room, its border, the ring where it has the
// focus), then the picture.
void DibSurface::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const LayoutScale::Box at = layout_.box(Layout::ControlId::pct1);
    const auto focus = GetFocus() == hwnd_ ? std::optional(Layout::ControlId::pct1) : std::nullopt;
    FillPainter::paint(dc, layout_.fills(focus), {at.left, at.top});
    const RECT shown = shownRect({0, 0, kWidth, kHeight});
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
    case WM_SYSCOLORCHANGE:
        self->recolourGround();
        return 0;
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
