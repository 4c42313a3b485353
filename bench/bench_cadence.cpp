// The real window, animating on a real display: how steadily the ticks come and what they cost.
// Run by bench/cadence.sh, which starts a private X server and presses "Start" with a real click.
//
//   bench_cadence [SECONDS]   measure SECONDS (default 30) from the first tick, then print
//                             the tick intervals, CPU use as a share of one core and memory.
#include "mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <vector>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double residentMiB()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

double peakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double percentile(std::vector<double> sorted, double p)
{
    const auto index = static_cast<std::size_t>(p / 100 * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 30.0;
    MainWindow window;
    window.show();

    QElapsedTimer clock;
    std::vector<double> intervals; // milliseconds
    double cpuAtStart = 0, rssAfterMinute = 0;
    qint64 last = -1;
    QObject::connect(window.timer(), &QTimer::timeout, &app, [&] {
        if (last < 0) {
            clock.start();
            cpuAtStart = cpuSeconds();
            last = 0;
            return;
        }
        const qint64 now = clock.nsecsElapsed();
        intervals.push_back((now - last) / 1e6);
        last = now;
        if (rssAfterMinute == 0 && now >= 60'000'000'000)
            rssAfterMinute = residentMiB();
        if (now >= seconds * 1e9)
            app.quit();
    });
    std::printf("window shown; waiting for \"Start\"\n");
    std::fflush(stdout);
    QApplication::exec();

    const double wall = clock.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuAtStart;
    std::vector<double> sorted = intervals;
    std::sort(sorted.begin(), sorted.end());
    const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / sorted.size();
    const auto late =
        std::count_if(sorted.begin(), sorted.end(), [](double ms) { return ms > 50; });
    std::printf("ticks %zu over %.1f s\n", intervals.size(), wall);
    std::printf("interval ms: mean %.3f  p1 %.3f  p50 %.3f  p99 %.3f  max %.3f  over 50 ms: %td\n",
                mean, percentile(sorted, 1), percentile(sorted, 50), percentile(sorted, 99),
                sorted.back(), late);
    std::printf("cpu: %.2f %% of one core\n", 100 * cpu / wall);
    std::printf("rss MiB: peak %.1f  now %.1f", peakResidentMiB(), residentMiB());
    if (rssAfterMinute > 0)
        std::printf("  after first minute %.1f  growth since %.2f", rssAfterMinute,
                    residentMiB() - rssAfterMinute);
    std::printf("\n");
}
