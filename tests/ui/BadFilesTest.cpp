// The real main window on files that are not what they seem and folders it cannot use: a FIFO
// or an endless device in the bank's place, a huge bank, banks and settings it may not read,
// folders it cannot write. Each time the game starts, plays a round and exits; the messages
// must say exactly what went wrong (or nothing), and what was on disk and could not be read
// is left as it was. Random bytes in the files are the fuzz targets' part (fuzz/).
#include "WindowTesting.h"
#include "support/TempFolder.h"

#include "bank/BankFile.h"
#include "settings/Settings.h"
#include "settings/basRegistry.h"
#include "storage/Folders.h"
#include "storage/LittleEndian.h"
#include "storage/Text.h"
#include "storage/Windows1252.h"
#include "ui/Dialogs.h"
#include "ui/frmPoker/CardPicture.h"
#include "ui/frmPoker/MainWindow.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanta {
namespace {

using test::Caption;
using test::Card;
using test::Find;
using test::TempFolders;
using test::TestGame;

const std::string Header = "Windows Registry Editor Version 5.00\n\n";
const std::string OurKey = "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\n";

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

// A file's bytes, "<missing>", or why it cannot be read.
std::string Get(const std::string& path) {
    ReadResult file = ReadWholeFile(path, 1 << 20);
    return file.Error == 0        ? std::move(file.Bytes)
           : file.Error == ENOENT ? "<missing>"
                                  : "<" + std::string(std::strerror(file.Error)) + ">";
}

// A program folder and a settings folder in memory when /dev/shm is there: every exit
// flushes three files to disk, which is all the time of a run on a busy disk.
TempFolders MemoryFolders() {
    if (::access("/dev/shm", W_OK) != 0) {
        return {};
    }
    const QString pattern = QStringLiteral("/dev/shm/corvanta-XXXXXX");
    return {QTemporaryDir(pattern), QTemporaryDir(pattern)};
}

// A bank of three accounts, as a file.
std::string ThreeAccounts() {
    Bank bank;
    bank.AccountCount = 3;
    for (int n = 1; n <= 3; ++n) {
        AssignText(bank.AccountTable[n].Name, "Player " + std::to_string(n));
        bank.AccountTable[n].Savings = 100 * n;
    }
    TempFolders folders;
    EXPECT_TRUE(SaveBank(bank, folders.ProgramFolder()).Ok);
    return Get(BankFilePath(folders.ProgramFolder()));
}

struct Message {
    QString title;
    QString text;
};

// Answers every message box that opens while it lives, and writes down what it said.
class MessageRecorder {
public:
    MessageRecorder() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen.push_back({box->windowTitle(), box->text()});
                box->button(QMessageBox::Ok) != nullptr ? box->button(QMessageBox::Ok)->click()
                                                        : box->reject();
            }
        });
        timer_.start(5);
    }
    std::vector<Message> seen;

private:
    QTimer timer_;
};

// What one run of the game showed and did.
struct GameRun {
    QString account; // at the start
    QString savings;
    QString cash;
    QString lastHand; // after the round
    std::vector<Message> messages;
};

// Starts the game, bets $5, deals, discards the first card, draws, and exits by cmdExit.
GameRun StartPlayExit(TestGame& session) {
    GameRun run;
    MessageRecorder recorder;
    {
        MainWindow window(session.model, session.cards);
        window.show();
        run.account = Caption(window, "lblCurrentAccount");
        run.savings = Caption(window, "lblSavings");
        run.cash = Caption(window, "lblCurrentCash");
        session.random.Add(
            {Card(2, 1), Card(5, 2), Card(7, 3), Card(9, 4), Card(13, 1), Card(2, 3)});
        Find<QLineEdit>(window, "txtBet")->setText(QStringLiteral("5"));
        QTest::mouseClick(Find<QPushButton>(window, "cmdAddBet"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(window, "cmdDeal"), Qt::LeftButton);
        QTest::mouseClick(Find<CardPicture>(window, "Card1"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(window, "cmdDeal"), Qt::LeftButton);
        run.lastHand = Caption(window, "lblLastHand");
        QTest::mouseClick(Find<QPushButton>(window, "cmdExit"), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    }
    run.messages = std::move(recorder.seen);
    return run;
}

// The three values the settings file holds after an exit, as the store reads them.
std::string StoredSettings(const std::string& configFolder) {
    const SettingsStore store(SettingsFilePath(configFolder));
    std::string values;
    for (const char* name : {"Card BG", "Current Account", "Current Money"}) {
        const RegistryValue value = store.ReadValue(Hive::CurrentUser, SettingsKeyPath, name);
        values += std::holds_alternative<std::int32_t>(value)
                      ? std::to_string(std::get<std::int32_t>(value)) + " "
                      : "<missing> ";
    }
    return values;
}

std::string SettingsOf(const GameModel& game) {
    return std::to_string(game.GetTable().CardBG) + " " + std::to_string(game.GetBank().GCNum) +
           " " + std::to_string(game.GetTable().CashOnHand) + " ";
}

std::string Describe(const std::vector<Message>& messages) {
    std::string text;
    for (const Message& message : messages) {
        text += "[" + message.title.toStdString() + ": " + message.text.toStdString() + "] ";
    }
    return text;
}

// What each message names, with {bank} and {settings} standing for the two files' paths and
// {folder} for the bank's folder.
struct Expected {
    std::vector<Message> messages;
    enum class Bank { Untouched, Saved, Missing } bank;
    bool settingsSaved;                    // else untouched
    QString cash = QStringLiteral("$100"); // at the start
    bool settingsKeptAside = false;        // as settings.reg.bad, byte for byte
    int back = 63;                         // the card back in use
};

std::vector<Message> Filled(const std::vector<Message>& messages, const std::string& folder,
                            const std::string& settings) {
    const std::string bank = BankFilePath(folder);
    std::vector<Message> filled;
    for (Message message : messages) {
        message.text.replace(QStringLiteral("{folder}"), QString::fromStdString(folder));
        message.text.replace(QStringLiteral("{bank}"), QString::fromStdString(bank));
        message.text.replace(QStringLiteral("{settings}"), QString::fromStdString(settings));
        filled.push_back(message);
    }
    return filled;
}

const Message BankUnreadable(const char* reason) {
    return {QStringLiteral("Corvanta - Bank"),
            QStringLiteral("The bank could not be read from {bank}:\r") +
                QString::fromLatin1(reason) +
                QStringLiteral(". You may play on; the game leaves the file as it is.")};
}

struct Row {
    const char* name;
    // Runs as root before the start; may point the game at another bank folder.
    std::function<void(const TempFolders&, GameFolders&)> arrange;
    Expected expected;
    // Run as root, the game plays as "nobody" on folders given to it, as a player would; not
    // where the device at hand is root's alone (some containers keep /dev/zero so).
    bool asPlayer = true;
    bool bankIsAnotherUsers = false;
};

void PutSettings(const TempFolders& f, const std::string& bytes) {
    ASSERT_EQ(::mkdir((f.ConfigFolder() + "/corvanta").c_str(), 0700), 0);
    Put(SettingsFilePath(f.ConfigFolder()), bytes);
}

const std::string GarbledSettings("\x01Windows Registry\x00\xff\xfe\x02 Poker", 32);

const Row Rows[] = {
    {"a FIFO in the bank's place",
     [](const TempFolders& f, GameFolders&) {
         ASSERT_EQ(::mkfifo(BankFilePath(f.ProgramFolder()).c_str(), 0600), 0);
     },
     {{BankUnreadable("Not a regular file")}, Expected::Bank::Untouched, true}},
    {"a link to a file that never ends",
     [](const TempFolders& f, GameFolders&) {
         ASSERT_EQ(::symlink("/dev/zero", BankFilePath(f.ProgramFolder()).c_str()), 0);
     },
     {{BankUnreadable("Not a regular file")}, Expected::Bank::Untouched, true},
     false},
    {"a 2 GB bank, mostly holes",
     [](const TempFolders& f, GameFolders&) {
         Put(BankFilePath(f.ProgramFolder()), ThreeAccounts());
         ASSERT_EQ(::truncate(BankFilePath(f.ProgramFolder()).c_str(), 2'000'000'000), 0);
     },
     {{BankUnreadable("File too large")}, Expected::Bank::Untouched, true}},
    {"a folder in the bank's place",
     [](const TempFolders& f, GameFolders&) {
         ASSERT_EQ(::mkdir(BankFilePath(f.ProgramFolder()).c_str(), 0700), 0);
     },
     {{BankUnreadable("Is a directory")}, Expected::Bank::Untouched, true}},
    {"a bank the player may not read",
     [](const TempFolders& f, GameFolders&) {
         Put(BankFilePath(f.ProgramFolder()), ThreeAccounts());
         ::chmod(BankFilePath(f.ProgramFolder()).c_str(), 0);
     },
     {{BankUnreadable("Permission denied")}, Expected::Bank::Untouched, true}},
    {"another user's bank",
     [](const TempFolders& f, GameFolders&) {
         Put(BankFilePath(f.ProgramFolder()), ThreeAccounts());
         ::chmod(BankFilePath(f.ProgramFolder()).c_str(), 0600);
     },
     {{BankUnreadable("Permission denied")}, Expected::Bank::Untouched, true},
     true,
     true},
    {"a bank folder that cannot be made",
     [](const TempFolders& f, GameFolders& game) {
         Put(f.ProgramFolder() + "/poker", "not a folder");
         game.bank = f.ProgramFolder() + "/poker/corvanta";
     },
     {{{QStringLiteral("Corvanta - Bank"),
        QStringLiteral("The bank's folder could not be made at {folder}:\rNot a directory. You "
                       "may play on; the accounts are not saved.")}},
      Expected::Bank::Missing,
      true}},
    {"a bank folder the player may not write",
     [](const TempFolders& f, GameFolders&) { ::chmod(f.ProgramFolder().c_str(), 0555); },
     {{{QStringLiteral("Corvanta - Save"),
        QStringLiteral("The bank could not be saved to {bank}:\rPermission denied")},
       {QStringLiteral("Corvanta - Exit"),
        QStringLiteral("The bank could not be saved to {bank}:\rPermission denied")}},
      Expected::Bank::Missing,
      false}},
    {"settings the game cannot understand",
     [](const TempFolders& f, GameFolders&) { PutSettings(f, GarbledSettings); },
     {{{QStringLiteral("Corvanta - Settings"),
        QStringLiteral("The settings in {settings} could not be understood:\rthey are kept in "
                       "{settings}.bad, and the game starts from its defaults.")}},
      Expected::Bank::Saved,
      true,
      QStringLiteral("$100"),
      true}},
    {"settings exported by reg.exe in UTF-16",
     [](const TempFolders& f, GameFolders&) {
         PutSettings(f, test::Utf16Le(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                                      u"[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n"
                                      u"\"Card BG\"=dword:00000037\r\n"
                                      u"\"Current Account\"=dword:00000001\r\n"
                                      u"\"Current Money\"=dword:00001388\r\n\r\n"));
     },
     {{}, Expected::Bank::Saved, true, QStringLiteral("$5000"), false, 55}},
    {"a back number that names no back",
     [](const TempFolders& f, GameFolders&) {
         PutSettings(f, "Windows Registry Editor Version 5.00\n\n"
                        "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\n"
                        "\"Card BG\"=dword:ffffffff\n");
     },
     {{}, Expected::Bank::Saved, true}},
    {"settings the player may not read",
     [](const TempFolders& f, GameFolders&) {
         ASSERT_TRUE(SaveSettings(f.ConfigFolder(), {55, 2, 777}).Ok);
         ::chmod(SettingsFilePath(f.ConfigFolder()).c_str(), 0);
     },
     {{{QStringLiteral("Corvanta - Settings"),
        QStringLiteral("The settings could not be read from {settings}:\rPermission denied. "
                       "The game starts from its defaults and leaves the file alone.")}},
      Expected::Bank::Saved,
      false}},
};

TEST(BadFiles, EachOddFileOrFolderIsSaidAndLeftAlone) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
        if (row.bankIsAnotherUsers && ::geteuid() != 0) {
            continue; // only root can hand the bank to another user
        }
        const TempFolders folders = MemoryFolders();
        GameFolders gameFolders{.bank = folders.ProgramFolder(), .config = folders.ConfigFolder()};
        row.arrange(folders, gameFolders);
        const std::string bankPath = BankFilePath(gameFolders.bank);
        const std::string settingsPath = SettingsFilePath(folders.ConfigFolder());
        const std::string bankBefore = Get(bankPath);
        const std::string settingsBefore = Get(settingsPath);
        TestGame session(gameFolders);
        test::AsPlayer player;
        if (row.asPlayer) {
            player.Become({folders.ProgramFolder(), folders.ConfigFolder()},
                          row.bankIsAnotherUsers ? bankPath : std::string());
        }
        const GameRun run = StartPlayExit(session);
        player.Leave();
        ::chmod(folders.ProgramFolder().c_str(), 0700); // open to the test again
        ::chmod(bankPath.c_str(), 0600);
        ::chmod(settingsPath.c_str(), 0600);

        EXPECT_NE(run.lastHand, QStringLiteral("No Hand Played"));
        EXPECT_EQ(run.cash, row.expected.cash);
        EXPECT_EQ(Describe(run.messages),
                  Describe(Filled(row.expected.messages, gameFolders.bank, settingsPath)));
        switch (row.expected.bank) {
        case Expected::Bank::Untouched:
            EXPECT_TRUE(Get(bankPath) == bankBefore);
            break;
        case Expected::Bank::Saved:
            EXPECT_EQ(Get(bankPath).size(), RecordSize);
            break;
        case Expected::Bank::Missing:
            EXPECT_FALSE(std::filesystem::is_regular_file(bankPath));
            break;
        }
        if (row.expected.settingsKeptAside) {
            EXPECT_TRUE(Get(settingsPath + ".bad") == settingsBefore);
        }
        if (row.expected.settingsSaved) {
            EXPECT_EQ(StoredSettings(folders.ConfigFolder()), SettingsOf(session.model));
            EXPECT_EQ(session.model.GetTable().CardBG, row.expected.back);
        } else {
            EXPECT_TRUE(Get(settingsPath) == settingsBefore);
        }
    }
}

} // namespace
} // namespace corvanta
