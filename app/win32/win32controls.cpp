#include "win32controls.h"

#include "accessibleproxy.h"
#include "fillpainter.h"
#include "win32text.h"

#include <string>

namespace {

using Layout::ControlId;

HMENU menuOf(ControlId id)
{
    return reinterpret_cast<HMENU>(
        static_cast<INT_PTR>(Win32Controls::kFirstId + static_cast<int>(id)));
}

RECT toRect(const LayoutScale::Box &b)
{
    return {b.left, b.top, b.left + b.width, b.top + b.height};
}

} // namespace

bool Win32Controls::create(HWND parent, HINSTANCE instance)
{
    parent_ = parent;
    for (const Layout::Control &c : Layout::kControls) {
        HWND made = createControl(c, instance);
        if (!made && c.kind != Layout::Kind::Timer && c.kind != Layout::Kind::FrameRect)
            return false;
        controls_[Layout::indexOf(c.id)] = made;
        if (c.value == Layout::Value::Shown)
            valueLabel_ = made;
    }
    // The dialog manager moves the focus in z-order: put it in the focus order.
    for (const ControlId id : Layout::focusOrder())
        SetWindowPos(control(id), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

// A control's own window, with the table's name and description for screen readers; none for
// the timer, which runs on the window, and the frames, which it paints.
HWND Win32Controls::createControl(const Layout::Control &c, HINSTANCE instance)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | (Layout::takesFocus(c) ? WS_TABSTOP : 0);
    const std::wstring caption = widen(c.caption), name = widen(c.accessibleName);
    HWND made = nullptr;
    switch (c.kind) {
    case Layout::Kind::PushButton:
        made = CreateWindowExW(0, L"BUTTON", caption.c_str(), style | BS_PUSHBUTTON | BS_NOTIFY, 0,
                               0, 1, 1, parent_, menuOf(c.id), instance, nullptr);
        break;
    case Layout::Kind::Label:
        made = CreateWindowExW(0, L"STATIC", caption.c_str(), style | SS_CENTER | SS_CENTERIMAGE, 0,
                               0, 1, 1, parent_, menuOf(c.id), instance, nullptr);
        break;
    case Layout::Kind::DrawingSurface:
        made = surface_.create(parent_, Win32Controls::kFirstId + static_cast<int>(c.id), instance,
                               style & WS_TABSTOP, name.c_str());
        break;
    case Layout::Kind::Timer:
    case Layout::Kind::FrameRect:
        return nullptr;
    }
    if (!made || (name.empty() && c.accessibleDescription.empty()))
        return made;
    AccessibleProxy *proxy = AccessibleProxy::attach(made, name.empty() ? caption : name,
                                                     widen(c.accessibleDescription));
    if (proxy && c.value == Layout::Value::Shown) { // named by the value it shows
        proxy->markLive();
        valueSpoken_ = proxy;
    }
    return made;
}

std::optional<ControlId> Win32Controls::idOf(HWND hwnd) const
{
    for (const Layout::Control &c : Layout::kControls)
        if (hwnd && control(c.id) == hwnd)
            return c.id;
    return std::nullopt;
}

bool Win32Controls::isButton(HWND hwnd) const
{
    const auto id = idOf(hwnd);
    return id && Layout::control(*id).kind == Layout::Kind::PushButton;
}

void Win32Controls::deleteFonts()
{
    for (HFONT font : {font_, indexFont_})
        if (font)
            DeleteObject(font);
}

const WindowLayout &Win32Controls::layOut(UINT dpi)
{
    deleteFonts();
    font_ = messageFont(dpi);
    indexFont_ = createFont(Layout::kIndexFont, dpi);
    // Windows' pixels are the device's.
    layout_ = WindowLayout::fitted(dpi, 1.0, [this](const WindowLayout &at) {
        return textShortfall(
            at, [this](ControlId id) { return control(id); },
            [this](const Layout::Control &c) { return fontOf(c); });
    });
    for (const Layout::Control &c : Layout::kControls)
        if (HWND hwnd = control(c.id)) {
            const LayoutScale::Box at = layout_.box(c.id);
            SetWindowPos(hwnd, nullptr, at.left, at.top, at.width, at.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(c)), TRUE);
        }
    surface_.layOut(layout_);
    return layout_;
}

void Win32Controls::paint(HDC dc) const
{
    FillPainter::paint(dc, layout_.fills(idOf(GetFocus())));
}

void Win32Controls::updateRing(HWND control) const
{
    if (const auto id = idOf(control)) {
        const RECT ring = toRect(layout_.ring(*id));
        InvalidateRect(parent_, &ring, FALSE);
    }
}

void Win32Controls::takeSystemColors() const
{
    for (HWND child : controls_)
        if (child)
            SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    RedrawWindow(parent_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
