#include "startupguard.h"

#include "lastwords.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QScreen>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <iterator>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Qt's messages, held back until start-up is over.
std::vector<std::pair<QtMsgType, QString>> held;
QtMessageHandler previous = nullptr;
// While the guard stands, standard error goes into an in-memory file, so that what libraries
// write there directly (Xlib's reason for a refused connection, say) can be judged or replayed.
int savedStderr = -1;
int capture = -1;

void startCapture()
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

// What was written to standard error while it is captured; nothing when it is not.
QByteArray captured()
{
    QByteArray written;
    if (capture != -1) {
        std::fflush(stderr);
        readCapture(capture, [&](const char *chunk, ssize_t n) { written.append(chunk, n); });
    }
    return written;
}

// Puts standard error back and returns what was written to it meanwhile.
QByteArray endCapture()
{
    const QByteArray written = captured();
    StartupGuard::release(false);
    return written;
}

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
    StartupGuard::release(true);
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
    StartupGuard::release(true);
    qInstallMessageHandler(previous);
    for (const auto &[type, message] : std::exchange(held, {}))
        qt_message_output(type, QMessageLogContext(), message);
}

// A library ending start-up with exit() (Xlib does, on an I/O error).
void passOnAtExit()
{
    if (StartupGuard::capturing())
        passOn();
}

QString displayName()
{
    const QByteArray display = qgetenv("DISPLAY");
    return QString::fromLocal8Bit(display.isEmpty() ? qgetenv("WAYLAND_DISPLAY") : display);
}

constexpr int kMinimumDepth = 15; // bits per pixel below which Qt cannot paint

} // namespace

StartupGuard::StartupGuard()
{
    static const bool registered = std::atexit(&passOnAtExit) == 0;
    Q_UNUSED(registered);
    previous = qInstallMessageHandler(&StartupGuard::collect);
    startCapture();
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
            fail(QLatin1String("cannot start a thread") +
                 (reason < 0 ? QString() : QLatin1Char(' ') + message.mid(reason)));
        }
    // A library that ran out of memory says so and carries on; the program would only fail
    // later, with that said many times over.
    bool memoryRanOut = LastWords::saysMemoryRanOut(captured().toStdString());
    for (const auto &[type, message] : held)
        memoryRanOut = memoryRanOut || LastWords::saysMemoryRanOut(message.toStdString());
    if (memoryRanOut)
        fail(QStringLiteral("out of memory"));
    passOn();
}

bool StartupGuard::capturing() noexcept
{
    return capture != -1;
}

int StartupGuard::realStderr() noexcept
{
    return capture != -1 ? savedStderr : STDERR_FILENO;
}

void StartupGuard::release(bool replay) noexcept
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

QString StartupGuard::displayProblem(const QByteArray &libraryOutput)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return QStringLiteral("the window system \"%1\" (QT_QPA_PLATFORM) cannot be started")
            .arg(QString::fromLocal8Bit(platform));
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral("no display is set (neither DISPLAY nor WAYLAND_DISPLAY)");
    if (libraryOutput.contains("uthorization"))
        return QStringLiteral("the display %1 refused the connection: not authorized (see "
                              "XAUTHORITY)")
            .arg(displayName());
    return QStringLiteral("cannot connect to the display %1").arg(displayName());
}

QString StartupGuard::pluginProblem()
{
    const QString name =
        qEnvironmentVariableIsEmpty("DISPLAY") ? QStringLiteral("wayland") : QStringLiteral("xcb");
    const QByteArray path =
        QFile::encodeName(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                          QLatin1String("/platforms/libq") + name + QLatin1String(".so"));
    if (void *plugin = dlopen(path.constData(), RTLD_LAZY | RTLD_LOCAL)) {
        dlclose(plugin);
        return {};
    }
    const char *error = dlerror();
    const QString why = QString::fromLocal8Bit(error ? error : "");
    // The loader says so when it cannot map a library's pages.
    if (why.contains(QLatin1String("Cannot allocate memory")) ||
        why.contains(QLatin1String("failed to map segment")))
        return QStringLiteral("out of memory: the window system's plugin \"%1\" cannot be "
                              "loaded")
            .arg(name);
    return QStringLiteral("the window system's plugin \"%1\" cannot be loaded: %2").arg(name, why);
}

QString StartupGuard::drawingProblem()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || screen->depth() >= kMinimumDepth)
        return {};
    return QStringLiteral("cannot draw on the display %1: it has %2-bit color, and at least "
                          "%3-bit color is needed")
        .arg(displayName())
        .arg(screen->depth())
        .arg(kMinimumDepth);
}

void StartupGuard::fail(const QString &why)
{
    LastWords::say(why.toLocal8Bit().constData());
}

void StartupGuard::collect(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        held.emplace_back(type, message);
        return;
    }
    const QByteArray output = endCapture();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        if (const QString problem = pluginProblem(); !problem.isEmpty())
            fail(problem);
    if (LastWords::memoryIsShort())
        fail(QStringLiteral("out of memory"));
    fail(displayProblem(output));
}
