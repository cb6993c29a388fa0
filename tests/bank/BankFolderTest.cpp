#include "bank/BankFolder.h"

#include "bank/BankFile.h"
#include "storage/Folders.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvanta {
namespace {

using test::FileMode;
using test::FolderEntries;
using test::ReadBytes;
using test::TempFolder;

using Names = std::vector<std::string>;

// A gbank.db beside the program is used there only where it and its folder are the player's
// own and no one else can write the folder; otherwise the bank lives in the data folder, and
// the debug console's note says why.
TEST(BankFolder, ABankBesideTheProgramIsUsedOnlyWhereItIsThePlayersOwn) {
    const struct Row {
        const char* what;
        std::function<void(const std::string& program)> arrange;
        bool besideTheProgram;
        const char* note;
    } rows[] = {
        {"no bank beside the program", [](const std::string&) {}, false, ""},
        {"the player's bank in the player's folder",
         [](const std::string& program) { test::WriteBytes(program + "/gbank.db", ""); }, true, ""},
        {"a folder the player's group can write",
         [](const std::string& program) {
             test::WriteBytes(program + "/gbank.db", "");
             ::chmod(program.c_str(), 0775);
         },
         false, "others can write its folder"},
        {"a folder anyone can write",
         [](const std::string& program) {
             test::WriteBytes(program + "/gbank.db", "");
             ::chmod(program.c_str(), 0777);
         },
         false, "others can write its folder"},
        {"a link in the bank's place",
         [](const std::string& program) {
             test::WriteBytes(program + "/elsewhere", "");
             ::symlink((program + "/elsewhere").c_str(), (program + "/gbank.db").c_str());
         },
         false, "it is not a regular file"},
        {"a folder in the bank's place",
         [](const std::string& program) { ::mkdir((program + "/gbank.db").c_str(), 0700); }, false,
         "it is not a regular file"},
        {"another user's bank",
         [](const std::string& program) {
             test::WriteBytes(program + "/gbank.db", "");
             ::lchown((program + "/gbank.db").c_str(), 1, 1); // works for root only
         },
         ::geteuid() != 0, "it or its folder belongs to another user"},
    };
    for (const Row& row : rows) {
        TempFolder folder;
        const std::string program = folder / "program";
        ::mkdir(program.c_str(), 0755);
        row.arrange(program);
        const BankPlace place = ChooseBankFolder(program, folder / "share");
        EXPECT_EQ(place.folder, row.besideTheProgram ? program : folder / "share/corvanta")
            << row.what;
        const std::string note =
            *row.note == '\0'
                ? std::string()
                : "The gbank.db beside the program is not used: " + std::string(row.note) + ".";
        EXPECT_EQ(place.note, row.besideTheProgram ? "" : note) << row.what;
    }
}

TEST(BankFolder, AnInstalledCopyKeepsItsBankInThePlayersDataFolder) {
    // The program folder is read-only to the player (the child runs as "nobody" when the tests
    // run as root), and the data folder does not exist yet.
    TempFolder folder;
    ::mkdir((folder / "usr").c_str(), 0755);
    ::mkdir((folder / "usr/bin").c_str(), 0755);
    ::mkdir((folder / "home").c_str(), 0755);
    const std::string program = folder / "usr/bin";
    const std::string data = folder / "home/.local/share";
    const std::string report = test::InChildProcess(folder, [&] {
        ::chmod(program.c_str(), 0555);
        const std::string chosen = ChooseBankFolder(program, data).folder;
        CreateFolders(chosen); // as the game does when it starts
        Bank bank;
        LoadBank(bank, chosen);
        const bool saved = SaveBank(bank, chosen).Ok;
        return chosen + (saved ? "|saved" : "|not saved");
    });
    EXPECT_EQ(report, data + "/corvanta|saved");
    EXPECT_EQ(FolderEntries(program), Names{});
    EXPECT_EQ(ReadBytes(data + "/corvanta/gbank.db").size(), 46u); // the Default account
}

TEST(InstanceLock, LockFileSitsBesideTheBank) {
    EXPECT_EQ(LockFilePath("/games/poker"), "/games/poker/gbank.db.lock");
}

} // namespace
} // namespace corvanta
