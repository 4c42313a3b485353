#pragma once

#include <QString>
#include <QtGlobal>

// Watches the toolkit's start-up. If the windowing system cannot be reached, what the toolkit
// and the libraries under it said is replaced by one line on standard error and the program
// exits with status 1; a start-up that succeeds passes on all of it, when the guard goes. A
// start-up ended some other way (a library calling exit(), a signal) still passes on what was
// said, or whatever line ends it (see LastWords).
class StartupGuard
{
public:
    StartupGuard();
    ~StartupGuard();
    StartupGuard(const StartupGuard &) = delete;
    StartupGuard &operator=(const StartupGuard &) = delete;

    // Why no window can be opened, judged from the environment and from what the libraries
    // wrote while trying, e.g. "no display is set (neither DISPLAY nor WAYLAND_DISPLAY)".
    static QString displayProblem(const QByteArray &libraryOutput = {});
    // Why the toolkit failed to start on a display that can be reached: its plugin for the
    // window system could not be loaded, for want of memory or otherwise.
    static QString pluginProblem();
    // Why the program cannot draw on the screen it got, or empty when it can.
    static QString drawingProblem();
    // Writes "fizzet: <why>" as the one line on standard error and ends with status 1.
    [[noreturn]] static void fail(const QString &why);

    // Async-signal-safe. Whether standard error is being captured.
    static bool capturing() noexcept;
    // Async-signal-safe. Where standard error really goes, also while it is captured.
    static int realStderr() noexcept;
    // Async-signal-safe. Puts standard error back, if it is being captured; with `replay`, what
    // was written to it meanwhile goes there first.
    static void release(bool replay) noexcept;

private:
    static void collect(QtMsgType type, const QMessageLogContext &context, const QString &message);
};
