#include "startupguard.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {
std::vector<std::pair<QtMsgType, QString>> held;
}

StartupGuard::StartupGuard() : previous_(qInstallMessageHandler(&StartupGuard::collect)) {}

StartupGuard::~StartupGuard()
{
    qInstallMessageHandler(previous_);
    for (const auto &[type, message] : std::exchange(held, {}))
        qt_message_output(type, QMessageLogContext(), message);
}

QString StartupGuard::displayProblem()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return QStringLiteral("the window system \"%1\" (QT_QPA_PLATFORM) cannot be started")
            .arg(QString::fromLocal8Bit(platform));
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty() && wayland.isEmpty())
        return QStringLiteral("no display is set (neither DISPLAY nor WAYLAND_DISPLAY)");
    return QStringLiteral("cannot connect to the display %1")
        .arg(QString::fromLocal8Bit(display.isEmpty() ? wayland : display));
}

void StartupGuard::collect(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        held.emplace_back(type, message);
        return;
    }
    std::fprintf(stderr, "fizzet: %s\n", qPrintable(displayProblem()));
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}
