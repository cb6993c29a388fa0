// Corvanta: answers the command line (the analysis, --help, --version), or finds the program's
// folder and the player's data and settings folders and runs the game.
#include "app/RunGame.h"
#include "engine/CommandLine.h"
#include "ui/Widgets.h"
#include "ui/frmHelp/About.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdlib>
#include <iostream>
#include <optional>
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
    // The command line answers without a display, before Qt starts.
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (const std::optional<int> status =
            corvanta::AnswerCommandLine(args, corvanta::VersionText(), std::cout, std::cerr)) {
        return *status;
    }
    EnsureHome();
    QApplication app(argc, argv);
    corvanta::NameTheApplication();
    corvanta::InstallGameFonts();
    return corvanta::RunGame(
        {.program = QDir::cleanPath(QApplication::applicationDirPath()).toStdString(),
         .data = Folder(QStandardPaths::GenericDataLocation),
         .config = Folder(QStandardPaths::GenericConfigLocation)});
}
