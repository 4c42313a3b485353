// The floor of bench/wine.sh: a window captioned "Fizzet floor" whose 40 Hz timer does nothing,
// at the clock fizzet.exe sets while it animates, measured as fizzet.exe is.
//   bench_floor_win32 [SECONDS]
#include "layouttable.h"
#include "measure.h"

#include <windows.h>

#include <cstdlib>
#include <mmsystem.h>

namespace {

Measure::TickClock *clock;

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER)
        clock->tick();
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char *argv[])
{
    Measure::TickClock ticks(argc > 1 ? std::atof(argv[1]) : 30.0);
    clock = &ticks;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &procedure;
    wc.lpszClassName = L"FizzetFloor";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassW(&wc);
    HWND window = CreateWindowW(wc.lpszClassName, L"Fizzet floor", WS_OVERLAPPEDWINDOW, 0, 0,
                                Layout::kClientWidth / Layout::kTwipsPerPixel,
                                Layout::kClientHeight / Layout::kTwipsPerPixel, nullptr, nullptr,
                                nullptr, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    timeBeginPeriod(1);
    SetTimer(window, 1, Layout::kTickInterval, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    timeEndPeriod(1);
    ticks.report();
}
