#pragma once

#include <QByteArray>
#include <QString>

// Why the program cannot start, said as the one line it ends with.
namespace Diagnosis {

// Whether DISPLAY or WAYLAND_DISPLAY names a display.
bool displaySet();
// Why no window can be opened, judged from the environment and from what the libraries
// wrote while trying, e.g. "no display is set (neither DISPLAY nor WAYLAND_DISPLAY)".
QString displayProblem(const QByteArray &libraryOutput = {});
// Why the toolkit failed to start on the display set: its plugin for that window system
// could not be loaded, for want of memory or otherwise; empty where it can be.
QString pluginProblem();
// Why the program cannot draw on the screen it got, or empty when it can.
QString drawingProblem();
// Writes "fizzet: <why>" as the one line on standard error and ends with status 1.
[[noreturn]] void fail(const QString &why);

} // namespace Diagnosis
