// The Windows program's window in this process, run under Wine: what an accessibility client
// hears of its controls and of every press of the stepper, system colours changed while it runs,
// and a tick's points on the screen.
#include "win32window.h"

#include <doctest/doctest.h>

#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace {

using Layout::ControlId;

struct Window
{
    Win32Window window;
    Window()
    {
        CoInitialize(nullptr); // as an accessibility client is
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        std::wstring error;
        REQUIRE(window.create(GetModuleHandleW(nullptr), error));
        window.show(SW_SHOWNORMAL);
    }
    ~Window() { CoUninitialize(); }
    HWND control(ControlId id) const
    {
        return GetDlgItem(window.hwnd(), Win32Controls::kFirstId + static_cast<int>(id));
    }
};

// What an accessibility client reads of a control: its name and description.
std::pair<std::wstring, std::wstring> heard(HWND control)
{
    IAccessible *object = nullptr;
    REQUIRE(SUCCEEDED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                 reinterpret_cast<void **>(&object))));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr, description = nullptr;
    object->get_accName(self, &name);
    object->get_accDescription(self, &description);
    std::pair<std::wstring, std::wstring> said{name ? name : L"", description ? description : L""};
    SysFreeString(name);
    SysFreeString(description);
    object->Release();
    return said;
}

std::string narrow(const std::wstring &wide)
{
    return std::string(wide.begin(), wide.end()); // the names are ASCII
}

COLORREF pixelOf(HWND hwnd, int x, int y)
{
    HDC screen = GetDC(hwnd);
    HDC dc = CreateCompatibleDC(screen);
    RECT client;
    GetClientRect(hwnd, &client);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(hwnd, screen);
    return pixel;
}

} // namespace

TEST_CASE("an accessibility client hears each control by the table's name and description")
{
    const Window w;
    for (const Layout::Control &c : Layout::kControls) {
        if (c.kind != Layout::Kind::PushButton && c.kind != Layout::Kind::DrawingSurface)
            continue;
        CAPTURE(c.name);
        const auto [name, description] = heard(w.control(c.id));
        CHECK(narrow(name) == (c.accessibleName.empty() ? c.caption : c.accessibleName));
        CHECK(narrow(description) == c.accessibleDescription);
    }
}

namespace {

std::vector<std::string> spoken; // what live regions said, in order

void CALLBACK onLiveRegion(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
{
    IAccessible *region = nullptr;
    VARIANT self{};
    if (FAILED(AccessibleObjectFromEvent(hwnd, object, child, &region, &self)))
        return;
    BSTR name = nullptr;
    region->get_accName(self, &name);
    spoken.push_back(narrow(name ? name : L""));
    SysFreeString(name);
    region->Release();
}

// Presses `button` as a click does, and lets the events it raised arrive.
void press(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
    MSG msg;
    for (const DWORD until = GetTickCount() + 300; GetTickCount() < until; Sleep(10))
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
}

} // namespace

TEST_CASE("every press of the stepper is heard as the value and its colour, from the label")
{
    const Window w;
    SetForegroundWindow(w.window.hwnd());
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                        &onLiveRegion, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    REQUIRE(hook);
    spoken.clear();
    press(w.control(ControlId::cmd1));
    press(w.control(ControlId::cmd2));
    UnhookWinEvent(hook);
    CHECK(spoken == std::vector<std::string>{"9, blue", "8, dark gray"});
    CHECK(narrow(heard(w.control(ControlId::lbl1)).first) == "8, dark gray");
}

TEST_CASE("new system colours reach the open window: its ground, the drawing's, the label's text")
{
    const int roles[] = {COLOR_BTNFACE, COLOR_WINDOW, COLOR_WINDOWTEXT};
    COLORREF before[3], after[3] = {RGB(10, 80, 10), RGB(20, 20, 90), RGB(0, 0, 128)};
    for (int i = 0; i < 3; ++i)
        before[i] = GetSysColor(roles[i]);
    const Window w;
    for (int i = 0; i < 7; ++i) // to 15, white, on which the new text colour reads well
        SendMessageW(w.control(ControlId::cmd1), BM_CLICK, 0, 0);
    SendMessageW(w.control(ControlId::cmd6), BM_CLICK, 0, 0); // Reset under Fall: points at y 0
    REQUIRE(SetSysColors(3, roles, after));
    HWND pct1 = w.control(ControlId::pct1);
    const auto *surface =
        reinterpret_cast<const DibSurface *>(GetWindowLongPtrW(pct1, GWLP_USERDATA));
    CHECK(surface->pixel(5, 100) == DibSurface::Pixel::word(after[1])); // never plotted
    CHECK(pixelOf(w.window.hwnd(), 2, 2) == after[0]);
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(w.window.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(w.control(ControlId::lbl1)));
    CHECK(GetTextColor(dc) == after[2]);
    CHECK(GetBkColor(dc) == RGB(255, 255, 255));
    DeleteDC(dc);
    SetSysColors(3, roles, before);
}

TEST_CASE("what a tick plotted is on the screen when the tick ends, with no repaint to wait for")
{
    const Window w;
    HWND pct1 = w.control(ControlId::pct1);
    auto *surface = reinterpret_cast<DibSurface *>(GetWindowLongPtrW(pct1, GWLP_USERDATA));
    UpdateWindow(pct1);
    surface->plot(7, 9, composeRgb(200, 30, 40));
    const RECT shown = surface->flush();
    ValidateRect(pct1, nullptr); // a repaint asked for instead would never come
    HDC dc = GetDC(pct1);
    CHECK(GetPixel(dc, shown.left, shown.top) == RGB(200, 30, 40));
    CHECK(GetPixel(dc, shown.right - 1, shown.bottom - 1) == RGB(200, 30, 40));
    CHECK(GetPixel(dc, shown.right, shown.top) != RGB(200, 30, 40));
    ReleaseDC(pct1, dc);
}
