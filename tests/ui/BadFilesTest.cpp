// The real main window on damaged and unusable files: a bank file and a settings file of every
// length from 0 to 200 bytes with random contents, a program folder that is a file, read-only
// folders, a settings folder without permission. Each time the game starts, plays a round,
// exits, and the files afterwards are what the game promises; the only message allowed is the
// "Corvanta - Exit" box naming the file that could not be saved and why.
#include "WindowTesting.h"

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
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanta {
namespace {

using testing::Caption;
using testing::Card;
using testing::Find;
using testing::TempFolders;
using testing::TestGame;

constexpr std::size_t LongestFile = 200;
const std::string Header = "Windows Registry Editor Version 5.00\n\n";
const std::string OurKey = "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\n";

std::string RandomBytes(std::mt19937& random, std::size_t size) {
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

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

// When the tests run as root, who ignores permission bits, the game runs as the user
// "nobody" (effective ids only, so the test can return to root) on folders given to that
// user, so that a read-only folder refuses it as it would refuse a player. Run by anyone
// else, the game runs as that user.
class AsPlayer {
public:
    AsPlayer() = default;
    AsPlayer(const AsPlayer&) = delete;
    AsPlayer& operator=(const AsPlayer&) = delete;
    ~AsPlayer() { Leave(); }

    // Hands the folders, as they are now, to the player and becomes the player.
    void Become(const TempFolders& folders) {
        if (::geteuid() != 0) {
            return;
        }
        for (const QTemporaryDir* dir : {&folders.program, &folders.config}) {
            const std::string top = dir->path().toStdString();
            ::lchown(top.c_str(), Nobody, Nobody);
            for (const auto& entry : std::filesystem::recursive_directory_iterator(top)) {
                ::lchown(entry.path().c_str(), Nobody, Nobody);
            }
        }
        groups_.resize(static_cast<std::size_t>(::getgroups(0, nullptr)));
        ::getgroups(static_cast<int>(groups_.size()), groups_.data());
        became_ = true;
        ASSERT_TRUE(::setgroups(0, nullptr) == 0 && ::setegid(Nobody) == 0 &&
                    ::seteuid(Nobody) == 0)
            << "cannot act as nobody: " << std::strerror(errno);
    }
    void Leave() {
        if (became_) {
            became_ = false;
            EXPECT_EQ(::seteuid(0), 0);
            EXPECT_EQ(::setegid(0), 0);
            EXPECT_EQ(::setgroups(groups_.size(), groups_.data()), 0);
        }
    }

private:
    static constexpr uid_t Nobody = 65534;
    bool became_ = false;
    std::vector<gid_t> groups_;
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

TEST(BadFiles, BankFilesOfEveryLengthUpTo200Bytes) {
    std::mt19937 random(20240613);
    for (std::size_t length = 0; length <= LongestFile; ++length) {
        const TempFolders folders = MemoryFolders();
        const std::string bank = RandomBytes(random, length);
        const std::string path = BankFilePath(folders.ProgramFolder());
        Put(path, bank);
        TestGame session(folders);
        const GameRun run = StartPlayExit(session);
        SCOPED_TRACE("a bank file of " + std::to_string(length) + " bytes");

        // No settings: the first account, $100 at the table. A bank without a whole record
        // starts as "Default" with $100 in savings.
        const std::size_t records = length / RecordSize;
        const auto* bytes = reinterpret_cast<const unsigned char*>(bank.data());
        const QString name = records == 0
                                 ? QStringLiteral("Default")
                                 : ToQString(TrimSpaces(DecodeWindows1252(bank.substr(0, 20))));
        const std::int32_t savings = records == 0 ? 100 : GetLittleEndian<std::int32_t>(bytes + 28);
        EXPECT_EQ(run.account, name);
        EXPECT_EQ(run.savings, QString::fromStdString("$" + std::to_string(savings)));
        EXPECT_EQ(run.cash, QStringLiteral("$100"));
        EXPECT_NE(run.lastHand, QStringLiteral("No Hand Played"));
        EXPECT_TRUE(run.messages.empty()) << Describe(run.messages);

        // The saved bank: whole records only; every record but the played one unchanged, and
        // that one with the same name, password and savings and one round more.
        const std::string saved = Get(path);
        ASSERT_EQ(saved.size(), std::max<std::size_t>(records, 1) * RecordSize);
        if (records == 0) {
            EXPECT_TRUE(saved.starts_with("Default             ")) << saved;
        } else {
            EXPECT_TRUE(saved.substr(RecordSize) ==
                        bank.substr(RecordSize, saved.size() - RecordSize));
            EXPECT_TRUE(saved.substr(0, 32) == bank.substr(0, 32));
        }
        const std::int16_t played = records == 0 ? 0 : GetLittleEndian<std::int16_t>(bytes + 32);
        EXPECT_EQ(GetLittleEndian<std::int16_t>(
                      reinterpret_cast<const unsigned char*>(saved.data()) + 32),
                  played == INT16_MAX ? played : played + 1);
        EXPECT_EQ(StoredSettings(folders.ConfigFolder()),
                  "63 1 " + std::to_string(session.model.GetTable().CashOnHand) + " ");
    }
}

// A settings file of `length` bytes: random bytes, or (shape 1) random bytes after the
// file's first line and the game's key, cut to the length.
std::string SettingsFile(std::mt19937& random, std::size_t length, int shape) {
    const std::string start = shape == 1 ? Header + OurKey : "";
    std::string file = start.substr(0, length);
    return file + RandomBytes(random, length - file.size());
}

TEST(BadFiles, SettingsFilesOfEveryLengthUpTo200Bytes) {
    std::mt19937 random(20240614);
    const std::string bank = ThreeAccounts();
    for (int shape = 0; shape < 2; ++shape) {
        for (std::size_t length = 0; length <= LongestFile; ++length) {
            const TempFolders folders = MemoryFolders();
            Put(BankFilePath(folders.ProgramFolder()), bank);
            const std::string path = SettingsFilePath(folders.ConfigFolder());
            ASSERT_EQ(::mkdir(FolderOf(path).c_str(), 0700), 0);
            Put(path, SettingsFile(random, length, shape));
            TestGame session(folders);
            const GameRun run = StartPlayExit(session);
            SCOPED_TRACE("a settings file of " + std::to_string(length) + " bytes, shape " +
                         std::to_string(shape));

            EXPECT_TRUE(run.account.startsWith(QStringLiteral("Player ")))
                << run.account.toStdString();
            EXPECT_NE(run.lastHand, QStringLiteral("No Hand Played"));
            EXPECT_TRUE(run.messages.empty()) << Describe(run.messages);
            EXPECT_EQ(StoredSettings(folders.ConfigFolder()), SettingsOf(session.model));
            const std::string saved = Get(BankFilePath(folders.ProgramFolder()));
            EXPECT_EQ(saved.size(), bank.size());
        }
    }
}

// Well-formed settings holding random numbers, from small to the edges of 32 bits: each
// value the game can hold is used, the others fall back to their defaults.
TEST(BadFiles, SettingsWithAnyNumbers) {
    std::mt19937 random(20240615);
    const std::string bank = ThreeAccounts();
    const auto anyNumber = [&random] {
        const std::int32_t edges[] = {INT32_MIN, -32769, -32768, -1, 0,     1,     3,        4,
                                      5,         63,     65,     66, 32767, 32768, INT32_MAX};
        switch (random() % 3) {
        case 0:
            return edges[random() % std::size(edges)];
        case 1:
            return static_cast<std::int32_t>(random() % 200) - 50;
        default:
            return static_cast<std::int32_t>(random());
        }
    };
    for (int n = 0; n < 60; ++n) {
        const std::int32_t cardBG = anyNumber();
        const std::int32_t account = anyNumber();
        const std::int32_t money = anyNumber();
        const TempFolders folders = MemoryFolders();
        Put(BankFilePath(folders.ProgramFolder()), bank);
        const SettingsStore store(SettingsFilePath(folders.ConfigFolder()));
        for (const auto& [name, value] :
             {std::pair{"Card BG", cardBG}, std::pair{"Current Account", account},
              std::pair{"Current Money", money}}) {
            ASSERT_TRUE(store.WriteValue(Hive::CurrentUser, SettingsKeyPath, name, value).Ok);
        }
        TestGame session(folders);
        const GameRun run = StartPlayExit(session);
        SCOPED_TRACE("Card BG " + std::to_string(cardBG) + ", Current Account " +
                     std::to_string(account) + ", Current Money " + std::to_string(money));

        const bool fitsInt16 = account >= INT16_MIN && account <= INT16_MAX;
        const int slot = std::clamp(fitsInt16 ? account : 1, 1, 3);
        EXPECT_EQ(run.account, QString::fromStdString("Player " + std::to_string(slot)));
        EXPECT_EQ(run.cash, QString::fromStdString("$" + std::to_string(money)));
        // A bet of $5 needs $5: with less the bet is refused with its message, and no round
        // is played.
        if (money >= 5) {
            EXPECT_NE(run.lastHand, QStringLiteral("No Hand Played"));
            EXPECT_TRUE(run.messages.empty()) << Describe(run.messages);
        } else {
            EXPECT_EQ(run.lastHand, QStringLiteral("No Hand Played"));
            ASSERT_EQ(run.messages.size(), 1u) << Describe(run.messages);
            EXPECT_EQ(run.messages[0].title, QStringLiteral("Corvanta - Place Bet"));
        }
        EXPECT_EQ(StoredSettings(folders.ConfigFolder()), SettingsOf(session.model));
    }
}

// Folders and files the game cannot use. Each row arranges the folders, then the game starts,
// plays and exits; the messages must be exactly the expected "Corvanta - Exit" boxes.
TEST(BadFiles, UnusableFoldersEndInAClearMessage) {
    struct Failure {
        const char* what; // "The bank could not be saved" or "The settings ..."
        std::string file; // below the program or settings folder, as the message names it
        bool inSettings;
        int error;
    };
    const auto bankFailure = [](std::string file, int error) {
        return Failure{"The bank could not be saved", std::move(file), false, error};
    };
    const auto settingsFailure = [](int error) {
        return Failure{"The settings could not be saved", "/corvanta/settings.reg", true, error};
    };
    const std::string bank = ThreeAccounts();
    const struct Case {
        const char* name;
        // Runs as root before the start; may point the game at another program folder.
        std::function<void(const TempFolders&, GameFolders&)> arrange;
        QString account; // the account the game starts with
        std::vector<Failure> messages;
        std::string bankAfter; // "<missing>", or the bytes gbank.db must hold; "" for any
    } cases[] = {
        {"a program folder that is a file",
         [](const TempFolders& f, GameFolders& game) {
             Put(f.ProgramFolder() + "/poker", "not a folder");
             game.bank = f.ProgramFolder() + "/poker";
         },
         QStringLiteral("Default"),
         {bankFailure("/poker/gbank.db", ENOTDIR)},
         "<missing>"},
        {"a folder in gbank.db's place",
         [](const TempFolders& f, GameFolders&) {
             ASSERT_EQ(::mkdir(BankFilePath(f.ProgramFolder()).c_str(), 0700), 0);
         },
         QStringLiteral("Default"),
         {bankFailure("/gbank.db", EISDIR)},
         "<Is a directory>"},
        {"a read-only program folder without a bank",
         [](const TempFolders& f, GameFolders&) { ::chmod(f.ProgramFolder().c_str(), 0555); },
         QStringLiteral("Default"),
         {bankFailure("/gbank.db", EACCES)},
         "<missing>"},
        {"a read-only program folder holding a bank",
         [&bank](const TempFolders& f, GameFolders&) {
             Put(BankFilePath(f.ProgramFolder()), bank);
             ::chmod(f.ProgramFolder().c_str(), 0555);
         },
         QStringLiteral("Player 1"),
         {bankFailure("/gbank.db", EACCES)},
         bank},
        {"an unreadable bank",
         [&bank](const TempFolders& f, GameFolders&) {
             Put(BankFilePath(f.ProgramFolder()), bank);
             ::chmod(BankFilePath(f.ProgramFolder()).c_str(), 0);
         },
         QStringLiteral("Default"),
         {bankFailure("/gbank.db", EACCES)},
         bank},
        {"a settings folder without permission",
         [](const TempFolders& f, GameFolders&) { ::chmod(f.ConfigFolder().c_str(), 0); },
         QStringLiteral("Default"),
         {settingsFailure(EACCES)},
         ""},
        {"an unreadable settings file",
         [](const TempFolders& f, GameFolders&) {
             const SettingsStore store(SettingsFilePath(f.ConfigFolder()));
             ASSERT_TRUE(
                 store.WriteValue(Hive::CurrentUser, SettingsKeyPath, "Current Money", 777).Ok);
             ::chmod(SettingsFilePath(f.ConfigFolder()).c_str(), 0);
         },
         QStringLiteral("Default"),
         {settingsFailure(EACCES)},
         ""},
        {"a file in the settings folder's place",
         [](const TempFolders& f, GameFolders&) {
             Put(f.ConfigFolder() + "/corvanta", "not a folder");
         },
         QStringLiteral("Default"),
         {settingsFailure(ENOTDIR)},
         ""},
        {"a read-only program folder and a settings folder without permission",
         [](const TempFolders& f, GameFolders&) {
             ::chmod(f.ProgramFolder().c_str(), 0555);
             ::chmod(f.ConfigFolder().c_str(), 0);
         },
         QStringLiteral("Default"),
         {bankFailure("/gbank.db", EACCES), settingsFailure(EACCES)},
         "<missing>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolders folders = MemoryFolders();
        GameFolders gameFolders{.bank = folders.ProgramFolder(), .config = folders.ConfigFolder()};
        c.arrange(folders, gameFolders);
        TestGame session(gameFolders);
        const std::string settingsBefore = Get(SettingsFilePath(folders.ConfigFolder()));
        AsPlayer player;
        player.Become(folders);
        const GameRun run = StartPlayExit(session);
        player.Leave();
        EXPECT_EQ(run.account, c.account);
        EXPECT_EQ(run.cash, QStringLiteral("$100"));
        EXPECT_NE(run.lastHand, QStringLiteral("No Hand Played"));
        ASSERT_EQ(run.messages.size(), c.messages.size()) << Describe(run.messages);
        for (std::size_t n = 0; n < c.messages.size(); ++n) {
            const Failure& failure = c.messages[n];
            const std::string folder =
                failure.inSettings ? folders.ConfigFolder() : folders.ProgramFolder();
            EXPECT_EQ(run.messages[n].title, QStringLiteral("Corvanta - Exit"));
            EXPECT_EQ(run.messages[n].text.toStdString(), std::string(failure.what) + " to " +
                                                              folder + failure.file + ":\n" +
                                                              std::strerror(failure.error));
        }
        const bool settingsFailed = std::any_of(c.messages.begin(), c.messages.end(),
                                                [](const Failure& f) { return f.inSettings; });
        if (settingsFailed) {
            EXPECT_TRUE(Get(SettingsFilePath(folders.ConfigFolder())) == settingsBefore);
        } else {
            EXPECT_EQ(StoredSettings(folders.ConfigFolder()), SettingsOf(session.model));
        }
        if (!c.bankAfter.empty()) {
            EXPECT_TRUE(Get(BankFilePath(folders.ProgramFolder())) == c.bankAfter);
        } else {
            EXPECT_EQ(Get(BankFilePath(folders.ProgramFolder())).size(), RecordSize);
        }
        // Folders the test removes must be open to it again, whoever runs the tests.
        ::chmod(folders.ProgramFolder().c_str(), 0700);
        ::chmod(folders.ConfigFolder().c_str(), 0700);
    }
}

} // namespace
} // namespace corvanta
