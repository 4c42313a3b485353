#include "lastwords.h"

#include "startupguard.h"
#include "x11connection.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
struct sigaction beforeUs[std::size(kCrashSignals)];

void onCrash(int signal)
{
    if (LastWords::memoryIsShort())
        LastWords::say("out of memory");
    if (X11Connection::lost())
        LastWords::say(X11Connection::lostLine());
    // Not ours to explain: it crashes as before, after whatever start-up had said.
    StartupGuard::release();
    for (std::size_t i = 0; i < std::size(kCrashSignals); ++i)
        if (kCrashSignals[i] == signal)
            sigaction(signal, &beforeUs[i], nullptr);
    raise(signal);
}

void write(int fd, const char *text) noexcept
{
    for (std::size_t size = std::strlen(text); size > 0;) {
        const ssize_t n = ::write(fd, text, size);
        if (n <= 0)
            return;
        text += n;
        size -= static_cast<std::size_t>(n);
    }
}

} // namespace

namespace LastWords {

// What start-up held back is dropped with the process: the line is all there is to say.
void say(const char *why) noexcept
{
    const int to = StartupGuard::realStderr();
    write(to, "fizzet: ");
    write(to, why);
    write(to, "\n");
    _exit(EXIT_FAILURE);
}

bool memoryIsShort() noexcept
{
    constexpr std::size_t kProbe = 8u << 20;
    void *probe = mmap(nullptr, kProbe, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (probe == MAP_FAILED)
        return true;
    munmap(probe, kProbe);
    return false;
}

void install()
{
    struct sigaction action
    {};
    action.sa_handler = &onCrash;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kCrashSignals); ++i)
        sigaction(kCrashSignals[i], &action, &beforeUs[i]);
}

} // namespace LastWords
