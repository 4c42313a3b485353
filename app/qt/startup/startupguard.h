#pragma once

#include <QtGlobal>

// The program's one message handler, and the toolkit's start watched. While the guard stands,
// what the toolkit and the libraries under it say (Qt's messages, and what they write straight
// to standard error) is held: if no window system can be had, one line says why instead and the
// program ends with status 1; a start that succeeds passes all of it on when the guard goes.
// From then on messages go to standard error as they come, unless the display's connection is
// lost, which one line says.
class StartupGuard
{
public:
    StartupGuard();
    ~StartupGuard();
    StartupGuard(const StartupGuard &) = delete;
    StartupGuard &operator=(const StartupGuard &) = delete;

    // Async-signal-safe. Where standard error really goes, also while it is held.
    static int realStderr() noexcept;
    // Async-signal-safe. Passes on what standard error held, if it is held, and lets it go.
    static void release() noexcept;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);
};
