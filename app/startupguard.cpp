#include "startupguard.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
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

// Puts standard error back and returns what was written to it meanwhile.
QByteArray endCapture()
{
    if (capture == -1)
        return {};
    std::fflush(stderr);
    dup2(savedStderr, STDERR_FILENO);
    close(savedStderr);
    QByteArray written;
    char chunk[4096];
    for (off_t at = 0;;) {
        const ssize_t n = pread(capture, chunk, sizeof chunk, at);
        if (n <= 0)
            break;
        written.append(chunk, n);
        at += n;
    }
    close(capture);
    capture = savedStderr = -1;
    return written;
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
    previous = qInstallMessageHandler(&StartupGuard::collect);
    startCapture();
}

StartupGuard::~StartupGuard()
{
    const QByteArray written = endCapture();
    std::fwrite(written.constData(), 1, static_cast<std::size_t>(written.size()), stderr);
    qInstallMessageHandler(previous);
    for (const auto &[type, message] : std::exchange(held, {}))
        qt_message_output(type, QMessageLogContext(), message);
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
    std::fprintf(stderr, "fizzet: %s\n", qPrintable(why));
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

void StartupGuard::collect(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        held.emplace_back(type, message);
        return;
    }
    fail(displayProblem(endCapture()));
}
