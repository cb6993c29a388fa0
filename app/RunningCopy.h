#pragma once
// A second start of the game brings the running copy's window to the front. The running copy
// listens on a local socket named after its bank folder and its settings folder (private to
// the player: in $XDG_RUNTIME_DIR, or in the temporary folder with the user's id in the name);
// a second start on either folder asks it there, and the running copy raises and activates
// its main window, or the message box that is open over it, and says so.
//
// The sockets are the system's own, watched by Qt's event loop: Qt's local sockets come with
// its network library, which loads nine more libraries at every start (4.5 million
// instructions of the dynamic linker's, 5 to 12 ms to the window's map on the development
// machine).

#include "game/GameSession.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <vector>

class QSocketNotifier;
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
    // Listens at `path`; nothing when the socket cannot be made, which leaves a second start
    // to say that the game runs.
    void Listen(const QString& path);
    // Takes the calls waiting at `listener`, and answers each once its line has come.
    void TakeCalls(int listener);
    void ComeForward();

    struct Listener {
        QSocketNotifier* calls; // watches the listening socket, its one owner
        QString path;
    };
    std::vector<Listener> listeners_;
    QPointer<QWidget> window_;
};

} // namespace corvanta
