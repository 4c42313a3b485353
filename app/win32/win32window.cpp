#include "win32window.h"

#include "win32text.h"
#include "windowobject.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

using Layout::ControlId;

constexpr wchar_t kClassName[] = L"FizzetWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR kTimerId = 1;

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
    wc.lpszClassName = kClassName;
    return (RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) &&
           DibSurface::registerClass(instance);
}

} // namespace

bool Win32Window::create(HINSTANCE instance, std::wstring &error)
{
    if (!registerClasses(instance, &Win32Window::procedure)) {
        error = L"The window class cannot be registered: " + lastError();
        return false;
    }
    hwnd_ = CreateWindowExW(0, kClassName, widen(Layout::kTitle).c_str(), kStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                            this);
    if (!hwnd_ || !controls_.create(hwnd_, instance)) {
        error = L"The window cannot be created: " + lastError();
        return false;
    }
    services_ = std::make_unique<Win32RuntimeServices>(
        hwnd_, kTimerId, controls_.valueLabel(), controls_.valueSpoken(), controls_.surface());
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
}

// The controls laid out at `dpi`, and the window sized round them.
void Win32Window::layOut(UINT dpi)
{
    const LayoutScale::Box client = controls_.layOut(dpi).client();
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
    SetFocus(controls_.control(Layout::kInitialFocus));
}

bool Win32Window::pressesButton(const MSG &msg) const
{
    const bool enter = msg.wParam == VK_RETURN;
    if (!enter || !controls_.isButton(msg.hwnd))
        return false;
    if (msg.message == WM_KEYDOWN && !(msg.lParam & (1 << 30))) // not a repeat
        SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
    return msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR;
}

// A button's click, or the focus coming to or leaving a control, whose ring then changes.
void Win32Window::onCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam) - Win32Controls::kFirstId;
    // With BS_NOTIFY a quick second press comes as a double click: it is a click as well.
    const bool pressed = HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED;
    if (pressed && id >= 0 && id < static_cast<int>(Layout::kControlCount)) {
        form_->click(static_cast<ControlId>(id));
    } else if (HIWORD(wParam) == BN_SETFOCUS || HIWORD(wParam) == BN_KILLFOCUS) {
        controls_.updateRing(reinterpret_cast<HWND>(lParam));
    }
}

void Win32Window::onTimer(WPARAM id)
{
    if (id != kTimerId || !services_ || !services_->timerRunning())
        return;
    form_->tick();
    controls_.surface().flush();
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
    case WM_PAINT: {
        PAINTSTRUCT ps;
        controls_.paint(BeginPaint(hwnd_, &ps));
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        controls_.paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_SYSCOLORCHANGE:
        controls_.takeSystemColors();
        return 0;
    case WM_CTLCOLORSTATIC:
        if (services_ && reinterpret_cast<HWND>(lParam) == controls_.valueLabel())
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
