#pragma once

#include <thread>

// What the process puts right about its surroundings before the toolkit starts.
namespace ProcessHygiene {

// Reopens any of standard input, output and error that was closed on /dev/null, so that no file
// or socket opened later takes descriptor 0, 1 or 2 and receives the program's diagnostics.
// Must run before anything else opens a descriptor.
void openStandardStreams();

// Without a session bus, the accessibility bridge would have libdbus launch one through X11
// (dbus-launch --autolaunch), writing under ~/.dbus and leaving the daemon running after the
// program ends. Where no session bus is given, this turns that autolaunch off; where one is
// given, or sits at $XDG_RUNTIME_DIR/bus, nothing changes and screen readers work as usual.
void preventBusAutolaunch();

// Qt draws widgets at no fewer device pixels than logical ones, so a scale factor below 1
// (QT_SCALE_FACTOR) would shrink the window but not what is drawn in it, and cut it off. Such a
// factor is taken as 1: the window at its smallest, a device pixel a position. Must run before
// the toolkit starts.
void noScaleBelowOne();

// One heap for every thread. The toolkit's helper threads and the font warm-up would each get a
// heap of their own, each reserving address space of its own: with one, the process starts
// under a far tighter limit on its address space (ulimit -v). Must run before any other thread
// starts.
void oneHeap();

// Reads the system's font configuration on a thread of its own while the toolkit connects to
// the display. Parsing it is most of what the first measurement of text would otherwise wait
// for; done twice over, it is merely done once (the font library keeps the first result). Where
// no thread can be started, it is read at once instead.
class FontWarmup
{
public:
    FontWarmup();
    ~FontWarmup() { finish(); }
    FontWarmup(const FontWarmup &) = delete;
    FontWarmup &operator=(const FontWarmup &) = delete;

    // Waits until the configuration is read; call before anything measures text.
    void finish();

private:
    std::thread thread_;
};

} // namespace ProcessHygiene
