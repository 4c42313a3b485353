#pragma once

#include <QStringList>

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

// Qt runs its event loop on GLib's where GLib is present, for the one kind of plugin written
// against that loop: the GTK platform theme. Where none of PLUGIN_DIRS holds such a theme (in its
// platformthemes folder), this has Qt run its own loop (QT_NO_GLIB), which does the same work
// with less code in memory. A QT_NO_GLIB the user set is left as it is. Must run before the
// application object is made.
void preferQtEventLoop(const QStringList &pluginDirs);

// The program's choices for a small, quiet process: one heap for every thread (the few
// allocations of the toolkit's helper threads and of the font warm-up do not need heaps of their
// own, each holding pages the others could reuse), and Qt's own event loop wherever Qt's plugin
// folders allow it. Must run before any other thread starts.
void preferLeanRuntime();

} // namespace ProcessHygiene
