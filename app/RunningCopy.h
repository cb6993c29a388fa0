#pragma once
// A second start of the game brings the running copy's window to the front. The running copy
// listens on a local socket named after its bank folder and its settings folder (private to
// the player: in $XDG_RUNTIME_DIR, or in the temporary folder with the user's id in the name);
// a second start on either folder asks it there, and the running copy raises and activates
// its main window, or the message box that is open over it, and says so.

#include "game/GameSession.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace corvanta {

class RunningCopy : public QObject {
    Q_OBJECT
public:
    // Starts listening for the folders. It takes the place of a socket an earlier copy left
    // behind: the caller holds the single-copy locks, so no running copy owns one.
    explicit RunningCopy(const GameFolders& folders);
    ~RunningCopy() override;

    // The window to bring to the front; until it is given, only an open message box comes.
    void SetMainWindow(QWidget& window);

    // In a second copy: asks the copy running on these folders to come to the front, and
    // waits a moment for its answer. False when none answered (a copy too busy or too old to
    // listen, or no socket at all): then the second copy must say that the game runs.
    static bool AskToComeForward(const GameFolders& folders);

    // The sockets' names for these folders, the bank's first.
    static std::array<QString, 2> SocketNames(const GameFolders& folders);

private:
    void Answer(QLocalSocket* socket);
    void ComeForward();

    std::array<QLocalServer*, 2> servers_{};
    QPointer<QWidget> window_;
};

} // namespace corvanta
