#include "app/RunGame.h"

#include "app/SignalQuit.h"
#include "bank/BankFolder.h"
#include "engine/basPoker.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/basCards/basCards.h"
#include "ui/frmPoker/MainWindow.h"

#include <QApplication>

namespace corvanta {

int RunGame(const Folders& folders) {
    const std::string bankFolder = ChooseBankFolder(folders.program, folders.data);
    // A lock that cannot be taken at all (a folder that cannot be written) does not stop the
    // game: the failed save at exit tells the player.
    const InstanceLock lock(LockFilePath(bankFolder));
    if (lock.GetStatus() == InstanceLock::Status::InUse) {
        ShowMessage(nullptr, QStringLiteral("Corvanta"),
                    QStringLiteral("Corvanta is already running."));
        return AlreadyRunningStatus;
    }

    CardDrawing cards;
    TimeSeededRandom random;
    GameModel model({.bank = bankFolder, .config = folders.config}, random);
    MainWindow window(model, cards);
    SignalQuit signalQuit(window);
    // A desktop session's checkpoint, or a logout that another program may still cancel,
    // asks for everything to be saved; the game plays on. The session really ending quits
    // the application, which closes the game the same way as Exit.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &model,
                     [&model] { model.Checkpoint(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &window,
                     [&window] { window.Shutdown(); });
    window.show();
    return QApplication::exec();
}

} // namespace corvanta
