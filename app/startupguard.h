#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// Watches the toolkit's start-up. If the windowing system cannot be reached, the toolkit's own
// report is replaced by one line on standard error and the program exits with status 1; a
// start-up that succeeds passes on whatever the toolkit said, when the guard goes.
class StartupGuard
{
public:
    StartupGuard();
    ~StartupGuard();
    StartupGuard(const StartupGuard &) = delete;
    StartupGuard &operator=(const StartupGuard &) = delete;

    // Why no window can be opened, judged from the environment, e.g. "DISPLAY is not set".
    static QString displayProblem();

private:
    static void collect(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QtMessageHandler previous_;
};
