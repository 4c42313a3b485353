#pragma once

#include <QByteArray>
#include <QString>

// Why the program cannot start, said as the one line it ends with.
namespace Diagnosis {

// Call first: the display asked for on the command line (-display), if any.
void noteArguments(int argc, char **argv);
// The display the window system is asked for: the command line's, else DISPLAY's, else
// WAYLAND_DISPLAY's; empty where none is named.
QString displayName();
// Why the toolkit could not start, judged from the surroundings and from what the libraries
// wrote while trying, e.g. "no display is set (neither DISPLAY nor WAYLAND_DISPLAY)".
QString startProblem(const QByteArray &libraryOutput);
// Why the program cannot draw on the screen it got, or empty when it can.
QString drawingProblem();
// Writes "fizzet: <why>" as the one line on standard error and ends with status 1.
[[noreturn]] void fail(const QString &why);

} // namespace Diagnosis
