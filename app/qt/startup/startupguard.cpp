#include "startupguard.h"

#include "diagnosis.h"
#include "lastwords.h"
#include "stderrcapture.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Qt's messages, held back until start-up is over.
std::vector<std::pair<QtMsgType, QString>> held;
QtMessageHandler previous = nullptr;
// A signal that ends the process while start-up is guarded: what was said is passed on first.
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
struct sigaction beforeGuard[std::size(kEndingSignals)];

void restoreSignals()
{
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
        sigaction(kEndingSignals[i], &beforeGuard[i], nullptr);
}

void onEndingSignal(int signal)
{
    StderrCapture::release(true);
    restoreSignals();
    raise(signal);
}

void catchEndingSignals()
{
    struct sigaction action
    {};
    action.sa_handler = &onEndingSignal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
        sigaction(kEndingSignals[i], &action, &beforeGuard[i]);
}

// Where memory runs out, a library may wait for ever on a thread that could not do its part
// (the toolkit's display connection, torn down after a failed allocation, waits for its event
// thread). While the guard stands, a look every two seconds ends such a start-up with its
// reason; a start-up that is only slow, with memory to be had, is left to go on.
constexpr unsigned kWatchSeconds = 2;
struct sigaction beforeWatch;

void onWatch(int)
{
    if (LastWords::memoryIsShort())
        LastWords::say("out of memory");
    alarm(kWatchSeconds);
}

void startWatch()
{
    struct sigaction action
    {};
    action.sa_handler = &onWatch;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGALRM, &action, &beforeWatch);
    alarm(kWatchSeconds);
}

void endWatch()
{
    alarm(0);
    sigaction(SIGALRM, &beforeWatch, nullptr);
}

// Everything said during start-up goes where it would have gone without the guard.
void passOn()
{
    std::fflush(stderr);
    StderrCapture::release(true);
    qInstallMessageHandler(previous);
    for (const auto &[type, message] : std::exchange(held, {}))
        qt_message_output(type, QMessageLogContext(), message);
}

// A library ending start-up with exit() (Xlib does, on an I/O error).
void passOnAtExit()
{
    if (StderrCapture::active())
        passOn();
}

} // namespace

StartupGuard::StartupGuard()
{
    static const bool registered = std::atexit(&passOnAtExit) == 0;
    Q_UNUSED(registered);
    previous = qInstallMessageHandler(&StartupGuard::collect);
    StderrCapture::start();
    catchEndingSignals();
    startWatch();
}

StartupGuard::~StartupGuard()
{
    endWatch();
    restoreSignals();
    // The toolkit reads the display's events on a thread of its own, and without it would carry
    // on deaf to the display.
    for (const auto &[type, message] : held)
        if (message.startsWith(QLatin1String("QThread::start: Thread creation error"))) {
            const qsizetype reason = message.indexOf(QLatin1Char('('));
            Diagnosis::fail(QLatin1String("cannot start a thread") +
                            (reason < 0 ? QString() : QLatin1Char(' ') + message.mid(reason)));
        }
    // A library that ran out of memory says so and carries on; the program would only fail
    // later, with that said many times over.
    bool memoryRanOut = LastWords::saysMemoryRanOut(StderrCapture::captured().toStdString());
    for (const auto &[type, message] : held)
        memoryRanOut = memoryRanOut || LastWords::saysMemoryRanOut(message.toStdString());
    if (memoryRanOut)
        Diagnosis::fail(QStringLiteral("out of memory"));
    passOn();
}

void StartupGuard::collect(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        held.emplace_back(type, message);
        return;
    }
    const QByteArray output = StderrCapture::end();
    // With no display to go to, that is the reason, whatever else is missing.
    if (Diagnosis::displaySet() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        if (const QString problem = Diagnosis::pluginProblem(); !problem.isEmpty())
            Diagnosis::fail(problem);
    if (LastWords::memoryIsShort())
        Diagnosis::fail(QStringLiteral("out of memory"));
    Diagnosis::fail(Diagnosis::displayProblem(output));
}
