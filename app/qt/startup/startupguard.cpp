#include "startupguard.h"

#include "diagnosis.h"
#include "lastwords.h"
#include "x11connection.h"

#include <QByteArray>
#include <QString>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

int savedStderr = -1; // the real standard error while `capture` stands in for it
int capture = -1;     // an in-memory file

// What standard error took while held, to `take(chunk, size)`. Async-signal-safe where `take` is.
template<typename Take> void readCapture(Take take)
{
    char chunk[4096];
    for (off_t at = 0;;) {
        const ssize_t n = pread(capture, chunk, sizeof chunk, at);
        if (n <= 0)
            return;
        take(chunk, static_cast<std::size_t>(n));
        at += n;
    }
}

QByteArray captured()
{
    QByteArray text;
    std::fflush(stderr);
    readCapture(
        [&](const char *chunk, std::size_t n) { text.append(chunk, static_cast<qsizetype>(n)); });
    return text;
}

// Where memory runs out, a library may wait for ever on a thread that could not do its part (the
// toolkit's display connection, torn down after a failed allocation, waits for its event
// thread). While the guard stands, a look every two seconds ends such a start with its reason; a
// start that is only slow, with memory to be had, goes on.
constexpr unsigned kWatchSeconds = 2;

void onWatch(int)
{
    if (LastWords::memoryIsShort())
        LastWords::say("out of memory");
    alarm(kWatchSeconds);
}

// The toolkit ending its start with exit(), as it does when the display goes meanwhile.
void onExit()
{
    if (capture != -1)
        Diagnosis::fail(Diagnosis::startProblem(captured()));
}

} // namespace

StartupGuard::StartupGuard()
{
    static const bool registered = std::atexit(&onExit) == 0;
    Q_UNUSED(registered);
    qInstallMessageHandler(&StartupGuard::handle);
    std::signal(SIGALRM, &onWatch);
    alarm(kWatchSeconds);
    capture = memfd_create("fizzet-startup", MFD_CLOEXEC);
    savedStderr = capture == -1 ? -1 : fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (savedStderr == -1 || dup2(capture, STDERR_FILENO) == -1) { // stderr stays as it is
        for (int fd : {capture, savedStderr})
            if (fd != -1)
                close(fd);
        capture = savedStderr = -1;
    }
}

// A start that said something while memory ran short has met a failed allocation, whatever it
// said, and would only fail later with more said.
StartupGuard::~StartupGuard()
{
    alarm(0);
    std::signal(SIGALRM, SIG_DFL);
    if (!captured().isEmpty() && LastWords::memoryIsShort())
        LastWords::say("out of memory");
    release();
}

int StartupGuard::realStderr() noexcept
{
    return capture != -1 ? savedStderr : STDERR_FILENO;
}

void StartupGuard::release() noexcept
{
    if (capture == -1)
        return;
    dup2(savedStderr, STDERR_FILENO);
    close(savedStderr);
    readCapture([](const char *chunk, std::size_t n) {
        for (ssize_t written = 0; n > 0 && written >= 0; chunk += written, n -= written)
            written = write(STDERR_FILENO, chunk, n);
    });
    close(capture);
    capture = savedStderr = -1;
}

// Messages go to standard error, which holds them while the toolkit starts.
void StartupGuard::handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg)
        Diagnosis::fail(Diagnosis::startProblem(captured()));
    if (capture == -1 && X11Connection::lost())
        LastWords::say(X11Connection::lostLine());
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    std::fflush(stderr);
}
