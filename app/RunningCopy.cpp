#include "app/RunningCopy.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QWidget>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#if CORVANTA_HAVE_XCB
#include <QGuiApplication>
#include <xcb/xcb.h>
#endif

namespace corvanta {
namespace {

// What a second copy says, and what the running copy answers once its window is in front.
constexpr char Request[] = "come forward\n";
constexpr char Reply[] = "in front\n";
constexpr qsizetype LongestLine = 64; // longer than either: whatever else comes is no answer
// How long a second copy waits for the answer before it says that the game runs instead.
constexpr int AnswerWaitMs = 3000;

// A local stream socket, closed when it goes.
struct UnixSocket {
    UnixSocket() : fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)) {}
    explicit UnixSocket(int taken) : fd(taken) {}
    ~UnixSocket() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    UnixSocket(const UnixSocket&) = delete;
    UnixSocket& operator=(const UnixSocket&) = delete;

    int fd;
};

// One call of a second copy to the running one: the line that has come so far.
struct Call : QObject {
    Call(int taken, QObject* parent)
        : QObject(parent), socket(taken), notifier(taken, QSocketNotifier::Read) {}

    UnixSocket socket;
    QSocketNotifier notifier; // goes before the socket it watches
    QByteArray line;
};

// The address of a socket at `path`, or nothing when the path is too long for one.
std::optional<sockaddr_un> AddressOf(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (bytes.isEmpty() || bytes.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return address;
}

// Reads what has come into `line`. True once the line is whole or never can be: its end of
// line came, or the other side closed or failed, or it is longer than any line said here.
bool ReadLine(int socket, QByteArray& line) {
    char bytes[LongestLine];
    for (;;) {
        const ssize_t got = ::recv(socket, bytes, sizeof bytes, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return false;
        }
        if (got <= 0) {
            return true;
        }
        line.append(bytes, got);
        if (line.contains('\n') || line.size() > LongestLine) {
            return true;
        }
    }
}

bool Send(int socket, const char* text) {
    const std::size_t size = std::strlen(text);
    ssize_t sent = 0;
    do {
        sent = ::send(socket, text, size, MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(size);
}

// Whether `socket` has something to read before `deadline`.
bool WaitToRead(int socket, const QDeadlineTimer& deadline) {
    pollfd poll{.fd = socket, .events = POLLIN, .revents = 0};
    int ready = 0;
    do {
        ready = ::poll(&poll, 1, static_cast<int>(deadline.remainingTime()));
    } while (ready < 0 && errno == EINTR);
    return ready == 1;
}

// In a second copy: asks the copy listening at `path` to come forward. A local socket
// connects at once or is refused; a copy that takes the call but does not answer in time is
// too busy (or too old) to come forward.
bool Ask(const QString& path) {
    const std::optional<sockaddr_un> address = AddressOf(path);
    const UnixSocket socket;
    if (!address || socket.fd < 0 ||
        ::connect(socket.fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
        !Send(socket.fd, Request)) {
        return false;
    }
    const QDeadlineTimer answering(AnswerWaitMs);
    QByteArray line;
    while (!ReadLine(socket.fd, line)) {
        if (!WaitToRead(socket.fd, answering)) {
            return false;
        }
    }
    return line == Reply;
}

// The folder for the sockets: the per-user runtime folder when there is one (only the player
// can enter it), else the temporary folder, where the name carries the user's id.
QString SocketFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) {
        return runtime;
    }
    return QDir::tempPath();
}

QString SocketName(const char* kind, const std::string& folder) {
    const QByteArray key = QByteArray(kind) + '\0' + QByteArray::fromStdString(folder);
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(20));
    return SocketFolder() + QStringLiteral("/corvanta-%1-%2-%3")
                                .arg(::getuid())
                                .arg(QString::fromLatin1(kind), digest);
}

#if CORVANTA_HAVE_XCB
// On X11 Qt stamps an activation with the time of the last event this copy saw, which is older
// than whatever was activated since, so the X server and the window manager ignore it. An
// activation at the current time, asked for as a pager asks, is honoured: _NET_ACTIVE_WINDOW
// for the window manager, and the input focus itself where none runs.
void ActivateOnX11(QWidget& window) {
    // Wayland or another platform (offscreen has an X11 interface with no connection): Qt's
    // own request is all there is.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (QGuiApplication::platformName() != QStringLiteral("xcb") || connection == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    constexpr char name[] = "_NET_ACTIVE_WINDOW";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    if (atom != nullptr) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = atom->atom;
        message.data.data32[0] = 2; // the request of a pager: no focus stealing prevention
        message.data.data32[1] = XCB_CURRENT_TIME;
        std::free(atom);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_send_event(connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    }
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, id, XCB_CURRENT_TIME);
    xcb_flush(connection);
}
#endif

void BringToFront(QWidget& window) {
    if (window.isMinimized()) {
        window.showNormal();
    }
    window.raise();
    window.activateWindow();
#if CORVANTA_HAVE_XCB
    ActivateOnX11(window);
#endif
}

} // namespace

std::array<QString, 2> RunningCopy::SocketNames(const GameFolders& folders) {
    return {SocketName("bank", folders.bank), SocketName("settings", folders.config)};
}

RunningCopy::RunningCopy(const GameFolders& folders) {
    for (const QString& path : SocketNames(folders)) {
        Listen(path);
    }
}

RunningCopy::~RunningCopy() {
    for (const Listener& listener : listeners_) {
        const int socket = static_cast<int>(listener.calls->socket());
        delete listener.calls;
        ::close(socket);
        ::unlink(QFile::encodeName(listener.path).constData());
    }
}

void RunningCopy::Listen(const QString& path) {
    // Made in a folder only the player can enter and closed to everyone else, then moved into
    // place, over any socket a copy that was killed left behind (this one holds the locks):
    // there is no moment when another user could call.
    const QTemporaryDir making(QFileInfo(path).absolutePath() + QStringLiteral("/corvanta-XXXXXX"));
    const std::optional<sockaddr_un> made = AddressOf(making.filePath(QStringLiteral("s")));
    const std::optional<sockaddr_un> address = AddressOf(path);
    UnixSocket socket;
    if (!making.isValid() || !made || !address || socket.fd < 0) {
        return;
    }
    if (::bind(socket.fd, reinterpret_cast<const sockaddr*>(&*made), sizeof *made) != 0 ||
        ::chmod(made->sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(socket.fd, SOMAXCONN) != 0 ||
        ::rename(made->sun_path, address->sun_path) != 0) {
        return;
    }
    const int listener = std::exchange(socket.fd, -1);
    auto* calls = new QSocketNotifier(listener, QSocketNotifier::Read, this);
    connect(calls, &QSocketNotifier::activated, this, [this, listener] { TakeCalls(listener); });
    listeners_.push_back({calls, path});
}

void RunningCopy::TakeCalls(int listener) {
    for (;;) {
        const int taken = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (taken < 0 && errno == EINTR) {
            continue;
        }
        if (taken < 0) {
            return; // none left waiting
        }
        auto* call = new Call(taken, this);
        connect(&call->notifier, &QSocketNotifier::activated, this, [this, call] {
            if (!ReadLine(call->socket.fd, call->line)) {
                return; // the rest of the line is still on its way
            }
            call->notifier.setEnabled(false);
            if (call->line == Request) {
                ComeForward();
                Send(call->socket.fd, Reply);
            }
            call->deleteLater();
        });
    }
}

void RunningCopy::SetMainWindow(QWidget& window) {
    window_ = &window;
}

void RunningCopy::ComeForward() {
    if (window_ != nullptr) {
        BringToFront(*window_);
    }
    // A message box or a modal window open over the table would take the focus back.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr) {
        BringToFront(*modal);
    }
}

bool RunningCopy::AskToComeForward(const GameFolders& folders) {
    for (const QString& path : SocketNames(folders)) {
        if (Ask(path)) {
            return true;
        }
    }
    return false;
}

} // namespace corvanta
