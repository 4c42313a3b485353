#include "diagnosis.h"

#include "lastwords.h"

#include <QFile>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QScreen>

#include <dlfcn.h>

namespace {

QString displayName()
{
    const QByteArray display = qgetenv("DISPLAY");
    return QString::fromLocal8Bit(display.isEmpty() ? qgetenv("WAYLAND_DISPLAY") : display);
}

constexpr int kMinimumDepth = 15; // bits per pixel below which Qt cannot paint

} // namespace

namespace Diagnosis {

bool displaySet()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QString displayProblem(const QByteArray &libraryOutput)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return QStringLiteral("the window system \"%1\" (QT_QPA_PLATFORM) cannot be started")
            .arg(QString::fromLocal8Bit(platform));
    if (!displaySet())
        return QStringLiteral("no display is set (neither DISPLAY nor WAYLAND_DISPLAY)");
    if (libraryOutput.contains("uthorization"))
        return QStringLiteral("the display %1 refused the connection: not authorized (see "
                              "XAUTHORITY)")
            .arg(displayName());
    return QStringLiteral("cannot connect to the display %1").arg(displayName());
}

QString pluginProblem()
{
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const QString name = x11 ? QStringLiteral("xcb") : QStringLiteral("wayland");
    // Wayland's platform comes in two plugins, for EGL and for plain shared memory; either will do.
    const QStringList files = x11 ? QStringList{QStringLiteral("libqxcb.so")}
                                  : QStringList{QStringLiteral("libqwayland-egl.so"),
                                                QStringLiteral("libqwayland-generic.so")};
    QString why;
    for (const QString &file : files) {
        const QByteArray path = QFile::encodeName(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                                                  QLatin1String("/platforms/") + file);
        if (void *plugin = dlopen(path.constData(), RTLD_LAZY | RTLD_LOCAL)) {
            dlclose(plugin);
            return {};
        }
        const char *error = dlerror();
        why = QString::fromLocal8Bit(error ? error : "");
    }
    // The loader says so when it cannot map a library's pages.
    if (why.contains(QLatin1String("Cannot allocate memory")) ||
        why.contains(QLatin1String("failed to map segment")))
        return QStringLiteral("out of memory: the window system's plugin \"%1\" cannot be "
                              "loaded")
            .arg(name);
    return QStringLiteral("the window system's plugin \"%1\" cannot be loaded: %2").arg(name, why);
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
