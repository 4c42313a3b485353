#include "win32window.h"

#include "win32color.h"
#include "win32text.h"
#include "windowobject.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

using Layout::ControlId;

constexpr wchar_t kClassName[] = L"FizzetWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR kTimerId = 1;
constexpr int kFirstControlId = 100;

int controlId(ControlId id)
{
    return kFirstControlId + static_cast<int>(id);
}

RECT toRect(const LayoutScale::Box &b)
{
    return {b.left, b.top, b.left + b.width, b.top + b.height};
}

LayoutScale::Box toBox(const RECT &r)
{
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::wstring lastError()
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, GetLastError(), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring message = text ? text : L"unknown error";
    LocalFree(text);
    return message;
}

void fillOutline(HDC dc, const LayoutScale::Box &box, int width, HBRUSH ink)
{
    for (const LayoutScale::Box &side : LayoutScale::sides(box, width)) {
        const RECT r = toRect(side);
        FillRect(dc, &r, ink);
    }
}

// The window's class, and the drawing surface's; false if either cannot be registered.
bool registerClasses(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground =
        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(sysColorIndex(Layout::kClientColor) + 1));
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) && DibSurface::registerClass(instance);
}

} // namespace

bool Win32Window::create(HINSTANCE instance, std::wstring &error)
{
    if (!registerClasses(instance, &Win32Window::procedure)) {
        error = L"The window class cannot be registered: " + lastError();
        return false;
    }
    hwnd_ = CreateWindowExW(0, kClassName, L"Fizzet", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (!hwnd_ || !createControls(instance)) {
        error = L"The window cannot be created: " + lastError();
        return false;
    }
    services_ =
        std::make_unique<Win32RuntimeServices>(hwnd_, kTimerId, control(ControlId::lbl1), surface_);
    form_ = std::make_unique<MainForm>(*services_);
    layOut(GetDpiForWindow(hwnd_));
    form_->load();
    return true;
}

Win32Window::~Win32Window()
{
    form_.reset();
    services_.reset();
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    if (font_)
        DeleteObject(font_);
    if (indexFont_)
        DeleteObject(indexFont_);
}

// A control's own window; none for the timer, which runs on the window, and the frames, which
// it paints.
HWND Win32Window::createControl(const Layout::Control &c, HINSTANCE instance)
{
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(c.id)));
    switch (c.kind) {
    case Layout::Kind::PushButton:
        return CreateWindowExW(0, L"BUTTON", widen(c.caption).c_str(),
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0, 0,
                               1, 1, hwnd_, menu, instance, nullptr);
    case Layout::Kind::Label:
        return CreateWindowExW(0, L"STATIC", widen(c.caption).c_str(),
                               WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0, 1, 1,
                               hwnd_, menu, instance, nullptr);
    case Layout::Kind::DrawingSurface:
        return surface_.create(hwnd_, controlId(c.id), instance);
    case Layout::Kind::Timer:
    case Layout::Kind::FrameRect:
        break;
    }
    return nullptr;
}

bool Win32Window::createControls(HINSTANCE instance)
{
    for (const Layout::Control &c : Layout::kControls) {
        HWND made = createControl(c, instance);
        if (!made && c.kind != Layout::Kind::Timer && c.kind != Layout::Kind::FrameRect)
            return false;
        controls_[Layout::indexOf(c.id)] = made;
    }
    // The dialog manager moves the focus in z-order: put it in the focus order.
    for (const ControlId id : Layout::focusOrder())
        SetWindowPos(control(id), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void Win32Window::layOut(UINT dpi)
{
    if (font_)
        DeleteObject(font_);
    if (indexFont_)
        DeleteObject(indexFont_);
    font_ = messageFont(dpi);
    indexFont_ = indexFont(dpi);
    // Windows' pixels are the device's.
    layout_ = WindowLayout::fitted(dpi, 1.0, [this](const WindowLayout &at) {
        return textShortfall(hwnd_, at, font_, indexFont_);
    });
    for (const Layout::Control &c : Layout::kControls) {
        HWND hwnd = control(c.id);
        if (!hwnd)
            continue;
        const LayoutScale::Box at = layout_.box(c.id);
        SetWindowPos(hwnd, nullptr, at.left, at.top, at.width, at.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(c.id == ControlId::lbl1 ? indexFont_ : font_), TRUE);
    }
    surface_.layOut(layout_);
    const LayoutScale::Box client = layout_.client();
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32Window::show(int how)
{
    ShowWindow(hwnd_, how);
    UpdateWindow(hwnd_);
    SetFocus(control(Layout::kInitialFocus));
}

bool Win32Window::isButton(HWND hwnd) const
{
    for (const Layout::Control &c : Layout::kControls)
        if (c.kind == Layout::Kind::PushButton && control(c.id) == hwnd)
            return true;
    return false;
}

bool Win32Window::pressesButton(const MSG &msg) const
{
    const bool enter = msg.wParam == VK_RETURN;
    if (!enter || !isButton(msg.hwnd))
        return false;
    if (msg.message == WM_KEYDOWN && !(msg.lParam & (1 << 30))) // not a repeat
        SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
    return msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR;
}

RECT Win32Window::ringAround(HWND hwnd) const
{
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT *>(&r), 2);
    return toRect(LayoutScale::ringAround(toBox(r)));
}

// The layout's lines in the window-text colour, and the focus ring.
void Win32Window::paintFrames()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    HBRUSH ink = GetSysColorBrush(sysColorIndex(Layout::kLineColor));
    for (const WindowLayout::Line &line : layout_.lines()) {
        const RECT r = toRect(line.box);
        FillRect(dc, &r, ink);
    }
    HWND focus = GetFocus();
    if (focus && GetParent(focus) == hwnd_)
        fillOutline(dc, toBox(ringAround(focus)), LayoutScale::kRingWidth, ink);
    EndPaint(hwnd_, &ps);
}

// A button's click, or the focus coming to or leaving a control, whose ring then changes.
void Win32Window::onCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam) - kFirstControlId;
    // With BS_NOTIFY a quick second press comes as a double click: it is a click as well.
    const bool pressed = HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED;
    if (pressed && id >= 0 && id < static_cast<int>(Layout::kControlCount)) {
        form_->click(static_cast<ControlId>(id));
    } else if (HIWORD(wParam) == BN_SETFOCUS || HIWORD(wParam) == BN_KILLFOCUS) {
        const RECT ring = ringAround(reinterpret_cast<HWND>(lParam));
        InvalidateRect(hwnd_, &ring, TRUE);
    }
}

void Win32Window::onTimer(WPARAM id)
{
    if (id != kTimerId || !services_ || !services_->timerRunning())
        return;
    form_->tick();
    surface_.flush();
    if (tickObserver_)
        tickObserver_();
}

// The focus goes back where it was when the window is active again; true when it did.
bool Win32Window::onActivate(WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        lastFocus_ = GetFocus();
        return false;
    }
    if (!lastFocus_ || !IsWindow(lastFocus_))
        return false;
    SetFocus(lastFocus_);
    return true;
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(wParam, lParam);
        return 0;
    case WM_TIMER:
        onTimer(wParam);
        return 0;
    case WM_PAINT:
        paintFrames();
        return 0;
    case WM_CTLCOLORSTATIC:
        if (services_ && reinterpret_cast<HWND>(lParam) == control(ControlId::lbl1))
            return reinterpret_cast<LRESULT>(services_->labelColors(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_DPICHANGED: { // laid out afresh, where the system suggests
        const auto *suggested = reinterpret_cast<const RECT *>(lParam);
        layOut(HIWORD(wParam));
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_ACTIVATE:
        if (onActivate(wParam))
            return 0;
        break;
    case WM_DESTROY:
        if (services_)
            services_->setTimerEnabled(TimerId::tmr1, false);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = windowObject(hwnd, message, lParam, &Win32Window::hwnd_);
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return self->handle(message, wParam, lParam);
}
