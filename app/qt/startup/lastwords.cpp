#include "lastwords.h"

#include "stderrcapture.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iterator>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace {

struct Cause
{
    bool (*applies)() noexcept;
    const char *why;
};
Cause causes[4];
int causeCount = 0;

constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
struct sigaction beforeUs[std::size(kCrashSignals)];

void onCrash(int signal)
{
    for (int i = 0; i < causeCount; ++i)
        if (causes[i].applies())
            LastWords::say(causes[i].why);
    // Not ours to explain: it crashes as before, after whatever start-up had said.
    StderrCapture::release(true);
    for (std::size_t i = 0; i < std::size(kCrashSignals); ++i)
        if (kCrashSignals[i] == signal)
            sigaction(signal, &beforeUs[i], nullptr);
    raise(signal);
}

[[noreturn]] void onUncaught()
{
    const char *why = "an unexpected error";
    try {
        if (const std::exception_ptr thrown = std::current_exception())
            std::rethrow_exception(thrown);
    } catch (const std::bad_alloc &) {
        why = "out of memory";
    } catch (const std::exception &e) {
        why = e.what();
    } catch (...) {
    }
    LastWords::say(why);
}

void writeTo(int fd, const char *text, std::size_t size) noexcept
{
    while (size > 0) {
        const ssize_t n = ::write(fd, text, size);
        if (n <= 0)
            return;
        text += n;
        size -= static_cast<std::size_t>(n);
    }
}

} // namespace

namespace LastWords {

void write(const char *text, std::size_t size) noexcept
{
    writeTo(STDERR_FILENO, text, size);
}

// Standard error stays captured meanwhile, so that another thread's words (the font library's,
// say) cannot come between; what was captured is dropped with the process.
void say(const char *why) noexcept
{
    const int to = StderrCapture::realStderr();
    writeTo(to, "fizzet: ", 8);
    writeTo(to, why, std::strlen(why));
    writeTo(to, "\n", 1);
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

bool saysMemoryRanOut(std::string_view message) noexcept
{
    for (std::string_view sign :
         {"out of memory", "Cannot allocate memory", "cannot get parse buffer"})
        if (message.find(sign) != std::string_view::npos)
            return true;
    return false;
}

void install()
{
    std::set_terminate(&onUncaught);
    addCrashCause(&memoryIsShort, "out of memory");
    struct sigaction action
    {};
    action.sa_handler = &onCrash;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kCrashSignals); ++i)
        sigaction(kCrashSignals[i], &action, &beforeUs[i]);
}

void addCrashCause(bool (*applies)() noexcept, const char *why)
{
    if (causeCount < static_cast<int>(std::size(causes)))
        causes[causeCount++] = {applies, why};
}

} // namespace LastWords
