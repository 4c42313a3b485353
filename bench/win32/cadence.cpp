// fizzet.exe's window, animating: how steadily the ticks come and what they cost, measured from
// the first tick for SECONDS (default 30). Run by bench/windows.sh, which presses "Start".
#include "measure.h"
#include "win32window.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

using Measure::cpuSeconds;
using Measure::now;

int main(int argc, char *argv[])
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 30.0;
    Win32Window window;
    std::wstring error;
    if (!window.create(GetModuleHandleW(nullptr), error))
        return 1;
    std::vector<double> intervals; // milliseconds
    double start = -1, last = 0, cpuAtStart = 0;
    window.observeTicks([&] {
        const double t = now();
        if (start < 0) {
            start = last = t;
            cpuAtStart = cpuSeconds();
            return;
        }
        intervals.push_back((t - last) * 1000);
        last = t;
        if (t - start >= seconds)
            PostQuitMessage(0);
    });
    window.show(SW_SHOWNORMAL);
    std::printf("window shown; waiting for \"Start\"\n");
    std::fflush(stdout);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        if (!window.pressesButton(msg) && !IsDialogMessageW(window.hwnd(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    const double wall = last - start;
    std::vector<double> sorted = intervals;
    std::sort(sorted.begin(), sorted.end());
    const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / sorted.size();
    std::printf("ticks %zu over %.1f s: %.2f per second\n", intervals.size(), wall,
                intervals.size() / wall);
    std::printf("interval ms: mean %.3f  p50 %.3f  p99 %.3f  max %.3f\n", mean,
                sorted[sorted.size() / 2], sorted[sorted.size() * 99 / 100], sorted.back());
    std::printf("cpu: %.2f %% of one core\n", 100 * (cpuSeconds() - cpuAtStart) / wall);
}
