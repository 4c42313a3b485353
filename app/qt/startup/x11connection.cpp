#include "x11connection.h"

#include "lastwords.h"
#include "stderrcapture.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWindow>

#include <X11/XKBlib.h>
#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// All of it made before anything can go wrong, so that the handlers only read it.
char lostLine[128] = "lost the connection to the display";
struct Address
{
    sockaddr_storage address;
    socklen_t length = 0;
};
Address serverAddresses[2]; // where the server of DISPLAY listens, as far as can be told
int addressCount = 0;
int connectionFd = -1; // the toolkit's own connection, once it is up

QtMessageHandler previousHandler = nullptr;

void addUnix(const char *path, bool abstract)
{
    Address &a = serverAddresses[addressCount++];
    auto *un = reinterpret_cast<sockaddr_un *>(&a.address);
    un->sun_family = AF_UNIX;
    const std::size_t length = std::strlen(path);
    std::memcpy(un->sun_path + (abstract ? 1 : 0), path, length);
    a.length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + length + (abstract ? 1 : 0));
}

void addLoopback(const char *host, int display)
{
    Address &a = serverAddresses[addressCount];
    auto *in = reinterpret_cast<sockaddr_in *>(&a.address);
    in->sin_family = AF_INET;
    in->sin_port = htons(static_cast<std::uint16_t>(6000 + display));
    if (inet_pton(AF_INET, std::strcmp(host, "localhost") == 0 ? "127.0.0.1" : host,
                  &in->sin_addr) == 1) {
        a.length = sizeof(sockaddr_in);
        ++addressCount;
    }
}

// DISPLAY is [host]:number[.screen]. A local server (no host, or "unix") listens on its socket
// in /tmp/.X11-unix, and in the abstract namespace under the same name; a loopback or numeric
// one on port 6000 + number. Others cannot be tried without a name lookup.
void learnServer(const char *display)
{
    const char *colon = std::strrchr(display, ':');
    if (!colon || colon - display >= 64)
        return;
    char *end = nullptr;
    const long number = std::strtol(colon + 1, &end, 10);
    if (end == colon + 1 || number < 0 || number > 59535)
        return;
    char host[64] = {};
    std::memcpy(host, display, static_cast<std::size_t>(colon - display));
    if (host[0] == '\0' || std::strcmp(host, "unix") == 0) {
        char path[64];
        std::snprintf(path, sizeof path, "/tmp/.X11-unix/X%ld", number);
        addUnix(path, true);
        addUnix(path, false);
    } else {
        addLoopback(host, static_cast<int>(number));
    }
}

bool serverTakesConnections() noexcept
{
    if (addressCount == 0)
        return true; // cannot tell: taken as there
    for (int i = 0; i < addressCount; ++i) {
        const Address &a = serverAddresses[i];
        const int fd = socket(a.address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd == -1)
            continue;
        const bool took =
            connect(fd, reinterpret_cast<const sockaddr *>(&a.address), a.length) == 0;
        close(fd);
        if (took)
            return true;
    }
    return false;
}

// A library's exit() while start-up is guarded, after the server went.
void onExit()
{
    if (StderrCapture::active() && X11Connection::lost())
        LastWords::say(lostLine);
}

[[noreturn]] int onIoError(Display *)
{
    LastWords::say(lostLine);
}

void onMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Qt's event reader says the first just before it calls exit(1); other warnings can come
    // first, from requests that failed because the connection had already gone.
    if (message.startsWith(QLatin1String("The X11 connection broke")) || X11Connection::lost())
        LastWords::say(lostLine);
    if (previousHandler)
        previousHandler(type, context, message);
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
    const char *display = std::getenv("DISPLAY");
    if (!display || !*display)
        return;
    std::snprintf(lostLine, sizeof lostLine, "lost the connection to the display %.60s", display);
    learnServer(display);
    LastWords::addCrashCause(&X11Connection::lost, lostLine);
    std::atexit(&onExit);
}

void takeOver()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display())
        return;
    connectionFd = xcb_get_file_descriptor(x11->connection());
    XSetIOErrorHandler(&onIoError);
    previousHandler = qInstallMessageHandler(&onMessage);
    static DestroyedWindows destroyed;
    qApp->installNativeEventFilter(&destroyed);
    Bool supported = False;
    XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
}

bool lost() noexcept
{
    if (connectionFd != -1) {
        pollfd watched{connectionFd, POLLRDHUP, 0};
        if (poll(&watched, 1, 0) == 1 && (watched.revents & (POLLRDHUP | POLLHUP | POLLERR)))
            return true;
    }
    return !serverTakesConnections();
}

} // namespace X11Connection
