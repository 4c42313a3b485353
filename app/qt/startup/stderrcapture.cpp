#include "stderrcapture.h"

#include "lastwords.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// While the guard stands, standard error goes into an in-memory file, so that what libraries
// write there directly (Xlib's reason for a refused connection, say) can be judged or replayed.
int savedStderr = -1;
int capture = -1;

} // namespace

namespace StderrCapture {

void start()
{
    capture = memfd_create("fizzet-startup", MFD_CLOEXEC);
    savedStderr = capture == -1 ? -1 : fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (savedStderr == -1 || dup2(capture, STDERR_FILENO) == -1) {
        if (capture != -1)
            close(capture);
        if (savedStderr != -1)
            close(savedStderr);
        capture = savedStderr = -1;
    }
}

namespace {

// Calls `take` with each piece of what the capture holds, in order. Async-signal-safe where
// `take` is.
template<typename Take> void readCapture(int from, Take take)
{
    char chunk[4096];
    for (off_t at = 0;;) {
        const ssize_t n = pread(from, chunk, sizeof chunk, at);
        if (n <= 0)
            return;
        take(chunk, n);
        at += n;
    }
}

} // namespace

QByteArray captured()
{
    QByteArray written;
    if (capture != -1) {
        std::fflush(stderr);
        readCapture(capture, [&](const char *chunk, ssize_t n) { written.append(chunk, n); });
    }
    return written;
}

QByteArray end()
{
    const QByteArray written = captured();
    release(false);
    return written;
}

bool active() noexcept
{
    return capture != -1;
}

int realStderr() noexcept
{
    return capture != -1 ? savedStderr : STDERR_FILENO;
}

void release(bool replay) noexcept
{
    const int from = capture;
    if (from == -1)
        return;
    capture = -1;
    dup2(savedStderr, STDERR_FILENO);
    close(savedStderr);
    savedStderr = -1;
    if (replay)
        readCapture(from, [](const char *chunk, ssize_t n) {
            LastWords::write(chunk, static_cast<std::size_t>(n));
        });
    close(from);
}

} // namespace StderrCapture
