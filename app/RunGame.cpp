#include "app/RunGame.h"

#include "app/RunningCopy.h"
#include "app/SignalQuit.h"
#include "bank/BankFolder.h"
#include "cards/basCards.h"
#include "engine/basPoker.h"
#include "game/SingleCopy.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/frmPoker/MainWindow.h"

#include <QApplication>

#include <optional>

namespace corvanta {

void NameTheApplication() {
    QApplication::setApplicationName(ToQString(AppName));
    QApplication::setDesktopFileName(ToQString(AppId));
}

int RunGame(const Folders& folders) {
    SignalQuit signalQuit; // before the first message box, which a signal must not cut short
    const BankPlace bank = ChooseBankFolder(folders.program, folders.data);
    GameFolders gameFolders{.bank = bank.folder, .config = folders.config, .note = bank.note};
    const SingleCopy copy(gameFolders);
    if (copy.AnotherCopyRuns()) {
        if (!RunningCopy::AskToComeForward(gameFolders)) {
            ShowMessage(nullptr, ToQString(AlreadyRunningTitle), ToQString(AlreadyRunningMessage));
        }
        return AlreadyRunningStatus;
    }
    gameFolders.lockProblem = copy.LockProblem();
    // Without both locks another copy may own the sockets: this one leaves them alone.
    std::optional<RunningCopy> runningCopy;
    if (gameFolders.lockProblem.ok) {
        runningCopy.emplace(gameFolders);
    }

    CardDrawing cards;
    TimeSeededRandom random;
    GameModel model(gameFolders, random);
    MainWindow window(model, cards); // the start-up, and its messages
    signalQuit.SetMainWindow(window);
    if (runningCopy) {
        runningCopy->SetMainWindow(window);
    }
    // A desktop session's checkpoint, or a logout that another program may still cancel,
    // asks for everything to be saved; the game plays on. The session really ending quits
    // the application, which closes the game the same way as Exit.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &model,
                     [&model] { model.Checkpoint(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &window,
                     [&window] { window.ShutDown(); });
    window.show();
    return QApplication::exec();
}

} // namespace corvanta
