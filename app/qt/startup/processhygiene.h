#pragma once

#include <thread>

// What the process puts right about its surroundings before the toolkit starts.
namespace ProcessHygiene {

// Reopens any of standard input, output and error that was closed on /dev/null, so that no file
// or socket opened later (the display's connection) takes descriptor 0, 1 or 2 and receives the
// program's diagnostics. Must run before anything else opens a descriptor.
void openStandardStreams();

// Without a session bus, the accessibility bridge would have libdbus launch one through X11
// (dbus-launch --autolaunch), writing under ~/.dbus and leaving the daemon running after the
// program ends. Where no session bus is given, this turns that autolaunch off; where one is
// given, or sits at $XDG_RUNTIME_DIR/bus, nothing changes and screen readers work as usual.
void preventBusAutolaunch();

// Qt draws widgets at no fewer device pixels than logical ones, so a scale factor below 1
// (QT_SCALE_FACTOR) would shrink the window but not what is drawn in it, and cut it off. Such a
// factor is taken as 1. Must run before the toolkit starts.
void noScaleBelowOne();

// Reads the system's font configuration on a thread of its own while the toolkit connects to
// the display: most of what the first measurement of text would otherwise wait for. Where no
// thread can be started, the toolkit could not start its own either: the program ends saying so.
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
