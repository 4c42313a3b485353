#pragma once

#include <windows.h>

#include <cstdio>

// Clocks for the Windows benchmarks: wall time in seconds, and the process's CPU seconds.
namespace Measure {

inline double now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double cpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME &t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Counts ticks from the first for `seconds`, then ends the message loop and says what they cost.
class TickClock
{
public:
    explicit TickClock(double seconds) : seconds_(seconds) {}
    void tick()
    {
        const double t = now();
        if (start_ < 0) {
            start_ = last_ = t;
            cpuAtStart_ = cpuSeconds();
            return;
        }
        ++ticks_;
        last_ = t;
        if (t - start_ >= seconds_)
            PostQuitMessage(0);
    }
    void report() const
    {
        const double wall = last_ - start_;
        std::printf("ticks %d over %.1f s: %.2f per second\n", ticks_, wall, ticks_ / wall);
        std::printf("cpu: %.2f %% of one core\n", 100 * (cpuSeconds() - cpuAtStart_) / wall);
    }

private:
    double seconds_, start_ = -1, last_ = 0, cpuAtStart_ = 0;
    int ticks_ = 0;
};

} // namespace Measure
