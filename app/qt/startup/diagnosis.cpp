#include "diagnosis.h"

#include "lastwords.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstring>

namespace {

QString askedFor;                 // on the command line
constexpr int kMinimumDepth = 15; // bits per pixel below which Qt cannot paint

} // namespace

namespace Diagnosis {

void noteArguments(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-display") == 0 || std::strcmp(argv[i], "--display") == 0)
            askedFor = QString::fromLocal8Bit(argv[i + 1]);
}

QString displayName()
{
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (askedFor.isEmpty() && !qEnvironmentVariableIsEmpty(variable))
            return qEnvironmentVariable(variable);
    return askedFor;
}

QString startProblem(const QByteArray &libraryOutput)
{
    if (LastWords::memoryIsShort())
        return QStringLiteral("out of memory");
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return QStringLiteral("the window system \"%1\" (QT_QPA_PLATFORM) cannot be started")
            .arg(QString::fromLocal8Bit(platform));
    if (displayName().isEmpty())
        return QStringLiteral("no display is set (neither DISPLAY nor WAYLAND_DISPLAY)");
    if (libraryOutput.contains("uthorization"))
        return QStringLiteral("the display %1 refused the connection: not authorized (see "
                              "XAUTHORITY)")
            .arg(displayName());
    return QStringLiteral("cannot connect to the display %1").arg(displayName());
}

QString drawingProblem()
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

void fail(const QString &why)
{
    LastWords::say(why.toLocal8Bit().constData());
}

} // namespace Diagnosis
