// Corvanta: answers the analysis commands, or finds the program's folder and the player's data
// and settings folders and runs the game.
#include "app/RunGame.h"
#include "engine/CommandLine.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdlib>
#include <iostream>
#include <pwd.h>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

// Qt finds the player's folders from HOME; without it they would be made under "/" (and
// shown as "//.config"). The player's home from the password database serves instead.
void EnsureHome() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return;
    }
    if (const passwd* entry = ::getpwuid(::getuid());
        entry != nullptr && entry->pw_dir != nullptr) {
        ::setenv("HOME", entry->pw_dir, 1);
    }
}

std::string Folder(QStandardPaths::StandardLocation location) {
    return QDir::cleanPath(QStandardPaths::writableLocation(location)).toStdString();
}

} // namespace

int main(int argc, char* argv[]) {
    // The analysis on the command line answers without a display, before Qt starts.
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (corvanta::IsAnalysisCommand(args)) {
        return corvanta::RunAnalysisCommand(args, std::cout, std::cerr);
    }
    EnsureHome();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    QApplication::setDesktopFileName(QString::fromLatin1(
        corvanta::AppId.data(), static_cast<qsizetype>(corvanta::AppId.size())));
    corvanta::InstallGameFonts();
    return corvanta::RunGame(
        {.program = QDir::cleanPath(QApplication::applicationDirPath()).toStdString(),
         .data = Folder(QStandardPaths::GenericDataLocation),
         .config = Folder(QStandardPaths::GenericConfigLocation)});
}
