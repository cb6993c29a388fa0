#include "app/RunningCopy.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include <cstdlib>
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
// How long a second copy waits for each step before it says that the game runs instead.
constexpr int ConnectWaitMs = 1000;
constexpr int AnswerWaitMs = 3000;

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
    const std::array<QString, 2> names = SocketNames(folders);
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto* server = new QLocalServer(this);
        server->setSocketOptions(QLocalServer::UserAccessOption);
        QLocalServer::removeServer(names[i]);
        // A socket that cannot be made leaves a second start to say that the game runs.
        if (!server->listen(names[i])) {
            delete server;
            continue;
        }
        connect(server, &QLocalServer::newConnection, this, [this, server] {
            while (QLocalSocket* socket = server->nextPendingConnection()) {
                connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Answer(socket); });
            }
        });
        servers_[i] = server;
    }
}

RunningCopy::~RunningCopy() = default; // each server closes and removes its socket

void RunningCopy::SetMainWindow(QWidget& window) {
    window_ = &window;
}

void RunningCopy::Answer(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        return; // the rest of the line is still on its way
    }
    if (socket->readLine(64) == Request) {
        ComeForward();
        socket->write(Reply);
        socket->flush();
    }
    socket->disconnectFromServer();
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
    for (const QString& name : SocketNames(folders)) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(ConnectWaitMs)) {
            continue;
        }
        socket.write(Request);
        if (!socket.waitForBytesWritten(ConnectWaitMs)) {
            continue;
        }
        while (!socket.canReadLine() && socket.waitForReadyRead(AnswerWaitMs)) {
        }
        if (socket.canReadLine() && socket.readLine(64) == Reply) {
            return true;
        }
    }
    return false;
}

} // namespace corvanta
