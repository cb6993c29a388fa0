// Corvanta: finds the program's folder and the player's data and settings folders, and
// runs the game.
#include "app/RunGame.h"
#include "bank/BankFolder.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    QApplication::setDesktopFileName(QString::fromLatin1(
        corvanta::AppId.data(), static_cast<qsizetype>(corvanta::AppId.size())));
    corvanta::InstallGameFonts();

    auto folder = [](QStandardPaths::StandardLocation location) {
        return QStandardPaths::writableLocation(location).toStdString();
    };
    return corvanta::RunGame({.program = QApplication::applicationDirPath().toStdString(),
                              .data = folder(QStandardPaths::GenericDataLocation),
                              .config = folder(QStandardPaths::GenericConfigLocation)});
}
