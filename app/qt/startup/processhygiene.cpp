#include "processhygiene.h"

#include "diagnosis.h"

#include <fontconfig/fontconfig.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
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

void noScaleBelowOne()
{
    const char *factor = std::getenv("QT_SCALE_FACTOR");
    if (factor && *factor && std::strtod(factor, nullptr) < 1)
        setenv("QT_SCALE_FACTOR", "1", 1);
}

FontWarmup::FontWarmup()
{
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error &e) {
        Diagnosis::fail(QStringLiteral("cannot start a thread (%1)")
                            .arg(QString::fromLocal8Bit(e.code().message().c_str())));
    }
}

void FontWarmup::finish()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace ProcessHygiene
