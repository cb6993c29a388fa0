#include "app/RunningCopy.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include <unistd.h>

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

void BringToFront(QWidget& window) {
    if (window.isMinimized()) {
        window.showNormal();
    }
    window.raise();
    window.activateWindow();
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
