#include "x11connection.h"

#include "diagnosis.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWindow>

#include <X11/XKBlib.h>
#include <cstdio>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// Made before anything can go wrong, so that the handlers only read it.
char line[128] = "lost the connection to the display";
int connectionFd = -1; // the toolkit's own connection, once it is up
sockaddr_un server{};  // where a local display's server listens, if it is one

// A local display, [unix]:number[.screen], has its server's socket in /tmp/.X11-unix.
void learnServer(const QByteArray &display)
{
    const int colon = display.lastIndexOf(':');
    const QByteArray host = display.left(colon), number = display.mid(colon + 1).split('.')[0];
    bool isNumber = false;
    number.toInt(&isNumber);
    if (colon < 0 || !isNumber || !(host.isEmpty() || host == "unix"))
        return;
    server.sun_family = AF_UNIX;
    std::snprintf(server.sun_path, sizeof server.sun_path, "/tmp/.X11-unix/X%s",
                  number.constData());
}

bool serverTakesConnections() noexcept
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool took =
        fd == -1 || connect(fd, reinterpret_cast<const sockaddr *>(&server), sizeof server) == 0;
    if (fd != -1)
        close(fd);
    return took;
}

// A top-level window destroyed by another client (XDestroyWindow) ends the program as closing it
// would.
class DestroyedWindows : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY)
            return false;
        const auto *destroyed = reinterpret_cast<const xcb_destroy_notify_event_t *>(event);
        for (const QWindow *top : QGuiApplication::topLevelWindows())
            if (top->handle() && top->winId() == destroyed->window)
                QCoreApplication::exit(0);
        return false;
    }
};

} // namespace

namespace X11Connection {

void watchForLoss()
{
    const QByteArray display = Diagnosis::displayName().toLocal8Bit();
    std::snprintf(line, sizeof line, "lost the connection to the display %.60s",
                  display.constData());
    learnServer(display);
}

void takeOver()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display())
        return;
    connectionFd = xcb_get_file_descriptor(x11->connection());
    static DestroyedWindows destroyed;
    qApp->installNativeEventFilter(&destroyed);
    Bool supported = False;
    XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
}

bool lost() noexcept
{
    pollfd watched{connectionFd, POLLRDHUP, 0};
    if (connectionFd != -1 && poll(&watched, 1, 0) == 1 &&
        (watched.revents & (POLLRDHUP | POLLHUP | POLLERR)))
        return true;
    return server.sun_family == AF_UNIX && !serverTakesConnections();
}

const char *lostLine() noexcept
{
    return line;
}

} // namespace X11Connection
