#pragma once

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

// One heap for every thread. The toolkit's helper threads and the font warm-up would each get a
// heap of their own, and each such heap holds 64 MiB of address space: with one, the process
// asks for about a third of the address space (99 MiB against 290 MiB), and starts where a limit
// on it (ulimit -v) is three times tighter. Must run before any other thread starts.
void oneHeap();

} // namespace ProcessHygiene
