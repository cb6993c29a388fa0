// Corvanta: builds the game's objects, finds the program folder and the per-user
// settings folder, and runs the main window.
#include "app/SignalQuit.h"
#include "engine/basPoker.h"
#include "ui/Fonts.h"
#include "ui/Game.h"
#include "ui/basCards/basCards.h"
#include "ui/frmPoker/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    QApplication::setDesktopFileName(QStringLiteral("corvanta"));
    corvanta::InstallGameFonts();

    corvanta::CardDrawing cards;
    corvanta::TimeSeededRandom random;
    corvanta::Game game{
        .table = {},
        .bank = {},
        .programFolder = QDir::toNativeSeparators(QApplication::applicationDirPath()).toStdString(),
        .configFolder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString(),
        .cards = cards,
        .random = random};

    corvanta::MainWindow window(game);
    corvanta::SignalQuit signalQuit(window);
    // The desktop session ending closes the game the same way as Exit.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window] { window.Shutdown(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                     [&window] { window.Shutdown(); });
    window.show();
    return QApplication::exec();
}
