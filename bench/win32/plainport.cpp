// The yardstick of bench/wine.sh: the same window done the plain way on Win32, captioned
// "Fizzet plain": the system's controls at the layout's places at 96 dpi, the points falling at
// 40 ticks a second, and the whole drawing repainted from its pixels on every tick. It starts
// animating at once; nothing else is wired.
//   bench_plainport_win32 [SECONDS]
#include "mainform.h"
#include "measure.h"
#include "standardservices.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <mmsystem.h>

namespace {

constexpr int kWide = Layout::kDrawingWidth, kHigh = Layout::kDrawingHeight;
std::uint32_t pixels[kWide * kHigh]; // 0x00RRGGBB, top-down
HWND surface;

class Services final : public StandardServices
{
public:
    HWND window = nullptr;
    void setCaption(LabelId, std::string_view) override {}
    void setBackColor(LabelId, Color) override {}
    void setTimerEnabled(TimerId, bool on) override
    {
        on ? SetTimer(window, 1, Layout::kTickInterval, nullptr) : KillTimer(window, 1);
    }
    void clearSurface(SurfaceId) override { std::fill_n(pixels, kWide * kHigh, 0xFFFFFFu); }
    void plotPixel(SurfaceId, std::int16_t x, std::int16_t y, Color c) override
    {
        if (x >= 0 && x < kWide && y >= 0 && y < kHigh)
            pixels[y * kWide + x] = swapRedBlue(c);
    }
};
Services services;
MainForm form(services);
Measure::TickClock *clock;

LRESULT CALLBACK surfaceProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, kWide, -kHigh, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    StretchDIBits(dc, 1, 1, kWide, kHigh, 0, 0, kWide, kHigh, pixels, &info, DIB_RGB_COLORS,
                  SRCCOPY);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        form.tick();
        InvalidateRect(surface, nullptr, FALSE);
        clock->tick();
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND createWindow(const wchar_t *name, WNDPROC procedure)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.lpszClassName = name;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassW(&wc);
    const int p = Layout::kTwipsPerPixel;
    return CreateWindowW(name, L"Fizzet plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                         Layout::kClientWidth / p, Layout::kClientHeight / p, nullptr, nullptr,
                         nullptr, nullptr);
}

// The buttons, labels and drawing surface at their places.
void createControls(HWND window)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = &surfaceProcedure;
    wc.lpszClassName = L"FizzetPlainSurface";
    RegisterClassW(&wc);
    const int p = Layout::kTwipsPerPixel;
    for (const Layout::Control &c : Layout::kControls) {
        const wchar_t *kind = c.kind == Layout::Kind::PushButton       ? L"BUTTON"
                              : c.kind == Layout::Kind::Label          ? L"STATIC"
                              : c.kind == Layout::Kind::DrawingSurface ? wc.lpszClassName
                                                                       : nullptr;
        if (!kind)
            continue;
        std::wstring caption(c.caption.begin(), c.caption.end());
        HWND made =
            CreateWindowW(kind, caption.c_str(), WS_CHILD | WS_VISIBLE, c.left / p, c.top / p,
                          c.width / p, c.height / p, window, nullptr, nullptr, nullptr);
        if (c.kind == Layout::Kind::DrawingSurface)
            surface = made;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    Measure::TickClock ticks(argc > 1 ? std::atof(argv[1]) : 30.0);
    clock = &ticks;
    services.window = createWindow(L"FizzetPlain", &windowProcedure);
    createControls(services.window);
    form.load();
    timeBeginPeriod(1);
    form.click(Layout::ControlId::cmd5);
    form.click(Layout::ControlId::cmd3);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    timeEndPeriod(1);
    ticks.report();
}
