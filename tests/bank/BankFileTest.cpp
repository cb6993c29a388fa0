#include "bank/BankFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanta {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The account an empty bank starts with, as it must appear on disk.
const std::string DefaultRecord = "Default" + std::string(13, ' ') + std::string(8, '\0') +
                                  Bytes({0x64, 0, 0, 0}) + std::string(14, '\0');

// A record holding only a name, padded with spaces to 20 characters.
std::string NamedRecord(std::string_view name) {
    return std::string(name) + std::string(20 - name.size(), ' ') + std::string(26, '\0');
}

TEST(BankFile, PathAlwaysAppendsTheSeparator) {
    EXPECT_EQ(BankFilePath("/games/poker"), "/games/poker/gbank.db");
    EXPECT_EQ(BankFilePath("/games/poker/"), "/games/poker//gbank.db");
}

TEST(BankFile, RecordFieldsAreLittleEndianAndPacked) {
    TempFolder folder;
    const std::string record = Bytes({0x5A, 0x6F, 0xEB}) + std::string(17, ' ') + "pw      " +
                               Bytes({0x78, 0x56, 0x34, 0x12, 0x02, 0x01, 0xFF, 0xFF, 0x00, 0x80,
                                      0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80});
    WriteBytes(BankFilePath(folder.Path()), record);

    Bank bank;
    LoadBank(bank, folder.Path());
    const AccountRecord& account = bank.AccountTable[1];
    EXPECT_EQ(bank.CurrentAccountName, "Zoë");
    EXPECT_EQ(TrimmedText(account.Password), "pw");
    EXPECT_EQ(account.Savings, 0x12345678);
    EXPECT_EQ(account.RoundsPlayed, 258);
    EXPECT_EQ(account.RoundsWon, -1);
    EXPECT_EQ(account.RoundsLost, -32768);
    EXPECT_EQ(account.AmountWon, -2);
    EXPECT_EQ(account.AmountLost, INT32_MIN);

    ASSERT_TRUE(SaveBank(bank, folder.Path()).Ok);
    EXPECT_EQ(ReadBytes(BankFilePath(folder.Path())), record);
}

TEST(BankFile, NamesAreStoredInWindows1252AndCutToTwentyCharacters) {
    const struct {
        std::string name;
        std::string stored;
    } cases[] = {
        {"Zoë", Bytes({0x5A, 0x6F, 0xEB}) + std::string(17, ' ')},
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST"},
        {"ABCDEFGHIJKLMNOPQRSTUV", "ABCDEFGHIJKLMNOPQRST"},
        {"€ 日本", Bytes({0x80, ' ', '?', '?'}) + std::string(16, ' ')},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        Bank bank;
        LoadBank(bank, folder.Path());
        AssignText(bank.AccountTable[1].Name, c.name);
        ASSERT_TRUE(SaveBank(bank, folder.Path()).Ok);
        EXPECT_EQ(ReadBytes(BankFilePath(folder.Path())).substr(0, 20), c.stored) << c.name;
    }
}

TEST(BankFile, BankWithoutAWholeRecordStartsWithTheDefaultAccount) {
    const struct {
        const char* what;
        std::optional<std::string> file;
    } cases[] = {{"missing", std::nullopt}, {"empty", ""}, {"45 bytes", std::string(45, 'x')}};
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = BankFilePath(folder.Path());
        if (c.file) {
            WriteBytes(path, *c.file);
        }
        Bank bank;
        bank.GCNum = 5; // as the settings left it
        LoadBank(bank, folder.Path());
        EXPECT_EQ(bank.AccountCount, 1) << c.what;
        EXPECT_EQ(bank.GCNum, 1) << c.what;
        EXPECT_EQ(bank.CurrentAccountName, "Default") << c.what;
        EXPECT_EQ(ReadBytes(path), c.file.value_or("")) << c.what << ": the load writes nothing";

        ASSERT_TRUE(SaveBank(bank, folder.Path()).Ok);
        EXPECT_EQ(ReadBytes(path), DefaultRecord) << c.what;
    }
}

TEST(BankFile, TrailingPieceIsDroppedBySave) {
    TempFolder folder;
    const std::string accounts = NamedRecord("Ann") + NamedRecord("Bob");
    WriteBytes(BankFilePath(folder.Path()), accounts + "x");
    Bank bank;
    LoadBank(bank, folder.Path());
    EXPECT_EQ(bank.AccountCount, 2);
    ASSERT_TRUE(SaveBank(bank, folder.Path()).Ok);
    EXPECT_EQ(ReadBytes(BankFilePath(folder.Path())), accounts);
}

TEST(BankFile, CurrentAccountIsKeptAmongTheAccounts) {
    const struct {
        std::int16_t stored;
        std::int16_t loaded;
        const char* name;
    } cases[] = {{7, 3, "Carol"}, {2, 2, "Bob"}, {1, 1, "Ann"}, {0, 1, "Ann"}, {-4, 1, "Ann"}};
    TempFolder folder;
    WriteBytes(BankFilePath(folder.Path()),
               NamedRecord("Ann") + NamedRecord("  Bob") + NamedRecord("Carol"));
    for (const auto& c : cases) {
        Bank bank;
        bank.GCNum = c.stored;
        LoadBank(bank, folder.Path());
        EXPECT_EQ(bank.AccountCount, 3);
        EXPECT_EQ(bank.GCNum, c.loaded) << "stored " << c.stored;
        EXPECT_EQ(bank.CurrentAccountName, c.name) << "stored " << c.stored;
    }
}

TEST(BankFile, UnsetPasswordStaysEightNulsThroughSaves) {
    TempFolder folder;
    Bank bank;
    for (int cycle = 0; cycle < 3; ++cycle) {
        LoadBank(bank, folder.Path());
        ASSERT_TRUE(SaveBank(bank, folder.Path()).Ok);
        EXPECT_EQ(ReadBytes(BankFilePath(folder.Path())).substr(20, 8), std::string(8, '\0'));
    }
}

// Any 46 bytes make a valid record, so random bytes cover every field value.
std::string RandomBytes(std::mt19937& random, std::size_t size) {
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

TEST(BankFile, UnchangedBankIsSavedByteForByte) {
    std::mt19937 random(20240611);
    const std::size_t recordCounts[] = {1, 2, 57, 99, 100, 101, 160};
    for (const std::size_t records : recordCounts) {
        TempFolder folder;
        const std::string whole = RandomBytes(random, records * RecordSize);
        WriteBytes(BankFilePath(folder.Path()), whole + RandomBytes(random, random() % 46));
        Bank bank;
        LoadBank(bank, folder.Path());
        EXPECT_EQ(bank.AccountCount, std::min<std::size_t>(records, 100)) << records;
        ASSERT_TRUE(SaveBank(bank, folder.Path()).Ok);
        EXPECT_TRUE(ReadBytes(BankFilePath(folder.Path())) == whole) << records << " records";
    }
}

// The bank holds passwords: whatever a file others could read or write had, the save leaves
// it the player's alone.
TEST(BankFile, EverySavedBankIsThePlayersAlone) {
    TempFolder folder;
    const std::string path = BankFilePath(folder.Path());
    Bank bank;
    LoadBank(bank, folder.Path());
    EXPECT_EQ(test::FileMode(path), 0600u) << "created by the load";
    ::unlink(path.c_str());
    ASSERT_TRUE(SaveBank(bank, folder.Path()).Ok);
    EXPECT_EQ(test::FileMode(path), 0600u) << "created by the save";
    ::chmod(path.c_str(), 0666);
    ASSERT_TRUE(SaveBank(bank, folder.Path()).Ok);
    EXPECT_EQ(test::FileMode(path), 0600u) << "replacing one anybody could write";
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"gbank.db"});
}

TEST(BankFile, TemporaryFilesLeftByAKilledSaveGoWhenTheyAreOld) {
    const struct {
        const char* name;
        int minutesOld;
        bool folder;
        bool kept;
    } entries[] = {
        {"gbank.db.new-a1B2c3", 60, false, false}, // left by a save killed an hour ago
        {"gbank.db.new-Zz9yX8", 11, false, false},
        {"gbank.db.new-q7R8s9", 9, false, true}, // may belong to a save under way
        {"gbank.db.new-u1v2w3", 0, false, true},
        {"gbank.db.new-abc", 60, false, true},     // not a name mkostemp makes
        {"gbank.db.new-abcdefg", 60, false, true}, // nor this
        {"other.db.new-a1B2c3", 60, false, true},  // another file's
        {"gbank.db.new-d1r2c3", 60, true, true},   // a folder
        {"xgbank.db.new-a1B2c3", 60, false, true},
    };
    TempFolder folder;
    std::vector<std::string> expected = {"gbank.db"};
    for (const auto& entry : entries) {
        const std::string path = folder / entry.name;
        if (entry.folder) {
            ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
        } else {
            WriteBytes(path, "partial");
        }
        const timespec when{::time(nullptr) - entry.minutesOld * 60, 0};
        const timespec times[2] = {when, when};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
        if (entry.kept) {
            expected.push_back(entry.name);
        }
    }
    std::sort(expected.begin(), expected.end());
    Bank bank;
    LoadBank(bank, folder.Path());
    ASSERT_TRUE(SaveBank(bank, folder.Path()).Ok);
    EXPECT_EQ(FolderEntries(folder.Path()), expected);
}

// What the folder holds: each name with its bytes, or "/" for a folder.
std::string Snapshot(const std::string& folder) {
    std::string snapshot;
    for (const std::string& name : FolderEntries(folder)) {
        struct stat status {};
        ::stat((folder + "/" + name).c_str(), &status);
        snapshot += name + "=" + (S_ISDIR(status.st_mode) ? "/" : ReadBytes(folder + "/" + name));
    }
    return snapshot;
}

TEST(BankFile, FailedSaveLeavesTheOldFileAndSaysWhy) {
    const struct {
        const char* what;
        // Breaks the folder holding a one-account bank.
        std::function<void(const std::string& folder)> breakFolder;
        std::string saveInto; // below the folder
        int error;
        std::string onDisk;
    } cases[] = {
        {"read-only folder", [](const std::string& folder) { ::chmod(folder.c_str(), 0555); }, "",
         EACCES, "gbank.db=" + DefaultRecord},
        {"disk full half way",
         [](const std::string&) {
             std::signal(SIGXFSZ, SIG_IGN);
             const rlimit limit{60, RLIM_INFINITY}; // the new bank needs 138 bytes
             ::setrlimit(RLIMIT_FSIZE, &limit);
         },
         "", EFBIG, "gbank.db=" + DefaultRecord},
        {"folder in the bank's place",
         [](const std::string& folder) {
             ::unlink(BankFilePath(folder).c_str());
             ::mkdir(BankFilePath(folder).c_str(), 0700);
         },
         "", EISDIR, "gbank.db=/"},
        {"file in the program folder's place", [](const std::string&) {}, "/gbank.db", ENOTDIR,
         "gbank.db=" + DefaultRecord},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string target = folder.Path() + c.saveInto;
        const std::string report = test::InChildProcess(folder, [&] {
            Bank bank;
            LoadBank(bank, folder.Path());
            SaveBank(bank, folder.Path());
            c.breakFolder(folder.Path());
            bank.AccountCount = 3;
            const SaveResult result = SaveBank(bank, target);
            return (result.Ok ? "saved" : "failed") + ("|" + result.Path) + "|" + result.Reason;
        });
        EXPECT_EQ(report, "failed|" + BankFilePath(target) + "|" + std::strerror(c.error))
            << c.what;
        EXPECT_TRUE(Snapshot(folder.Path()) == c.onDisk) << c.what;
    }
}

} // namespace
} // namespace corvanta
