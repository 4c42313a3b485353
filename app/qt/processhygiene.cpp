#include "processhygiene.h"

#include <QDir>
#include <QLibraryInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <malloc.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ProcessHygiene {

void openStandardStreams()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open() takes the lowest free descriptor, which is fd: the lower ones are open by now.
        const int opened = open("/dev/null", O_RDWR);
        if (opened != -1 && opened != fd) { // cannot happen; never leave a stray descriptor
            dup2(opened, fd);
            close(opened);
        }
    }
}

void preventBusAutolaunch()
{
    const char *address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address)
        return;
    if (const char *runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        struct stat bus
        {};
        if (stat((std::string(runtime) + "/bus").c_str(), &bus) == 0 && S_ISSOCK(bus.st_mode))
            return;
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

void preferQtEventLoop(const QStringList &pluginDirs)
{
    if (qEnvironmentVariableIsSet("QT_NO_GLIB"))
        return;
    const QStringList gtk{QStringLiteral("*gtk*")};
    for (const QString &dir : pluginDirs)
        if (!QDir(dir + QLatin1String("/platformthemes")).entryList(gtk, QDir::Files).isEmpty())
            return;
    qputenv("QT_NO_GLIB", "1");
}

void preferLeanRuntime()
{
    mallopt(M_ARENA_MAX, 1);
    // Qt's own plugin folder, then those named in QT_PLUGIN_PATH.
    preferQtEventLoop(
        QStringList{QLibraryInfo::path(QLibraryInfo::PluginsPath)} +
        qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts));
}

} // namespace ProcessHygiene
