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

private:
    static void collect(QtMsgType type, const QMessageLogContext &context, const QString &message);
};
