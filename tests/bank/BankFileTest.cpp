#include "bank/BankFile.h"

#include "bank/BankFolder.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace corvanta {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A record holding only a name, padded with spaces to 20 characters.
std::string NamedRecord(std::string_view name) {
    return std::string(name) + std::string(20 - name.size(), ' ') + std::string(26, '\0');
}

// The account an empty bank starts with, as it must appear on disk: no password, $100.
const std::string DefaultRecord = "Default" + std::string(13, ' ') + std::string(8, '\0') +
                                  Bytes({100, 0, 0, 0}) + std::string(14, '\0');

Bank Loaded(const TempFolder& folder, std::int16_t current = 1) {
    Bank bank;
    bank.GCNum = current; // as the settings hand it over
    LoadBank(bank, folder.Path());
    return bank;
}

TEST(BankFile, RecordFieldsAreLittleEndianAndPackedAndSavedBackAsTheyWere) {
    TempFolder folder;
    const std::string record = Bytes({0x5A, 0x6F, 0xEB}) + std::string(17, ' ') + "pw      " +
                               Bytes({0x78, 0x56, 0x34, 0x12, 0x02, 0x01, 0xFF, 0xFF, 0x00, 0x80,
                                      0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80});
    WriteBytes(BankFilePath(folder.Path()), record);
    const Bank bank = Loaded(folder);
    const AccountRecord& account = bank.AccountTable[1];
    EXPECT_EQ(bank.CurrentAccountName, "Zoë");
    EXPECT_EQ(TrimmedText(account.Password), "pw");
    EXPECT_EQ(account.Savings, 0x12345678);
    EXPECT_EQ(account.RoundsPlayed, 258);
    EXPECT_EQ(account.RoundsWon, -1);
    EXPECT_EQ(account.RoundsLost, -32768);
    EXPECT_EQ(account.AmountWon, -2);
    EXPECT_EQ(account.AmountLost, INT32_MIN);
    // The bank holds passwords: whatever a file others could read or write had, a save leaves
    // it the player's alone.
    ::chmod(BankFilePath(folder.Path()).c_str(), 0666);
    ASSERT_TRUE(SaveBank(bank, folder.Path()).ok);
    EXPECT_EQ(ReadBytes(BankFilePath(folder.Path())), record);
    EXPECT_EQ(test::FileMode(BankFilePath(folder.Path())), 0600u);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"gbank.db"});
}

TEST(BankFile, NamesAreStoredInWindows1252AndCutToTwentyCharacters) {
    struct Row {
        std::string name, stored, loaded;
    };
    for (const Row& row :
         {Row{"Zoë", Bytes({0x5A, 0x6F, 0xEB}) + std::string(17, ' '), "Zoë"},
          Row{"ABCDEFGHIJKLMNOPQRSTUV", "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST"},
          Row{"€ 日本", Bytes({0x80, ' ', '?', '?'}) + std::string(16, ' '), "€ ??"},
          Row{"Œuvre ™", Bytes({0x8C, 'u', 'v', 'r', 'e', ' ', 0x99}) + std::string(13, ' '),
              "Œuvre ™"}}) {
        TempFolder folder;
        Bank bank = Loaded(folder);
        AssignText(bank.AccountTable[1].Name, row.name);
        ASSERT_TRUE(SaveBank(bank, folder.Path()).ok);
        EXPECT_EQ(ReadBytes(BankFilePath(folder.Path())).substr(0, 20), row.stored) << row.name;
        EXPECT_EQ(Loaded(folder).CurrentAccountName, row.loaded);
    }
}

// A bank without a whole record starts with "Default" and $100; a piece after the whole
// records goes with the next save. The load writes nothing.
TEST(BankFile, WholeRecordsAreTheAccountsAndNoneMakesTheDefaultAccount) {
    struct Row {
        const char* what;
        std::optional<std::string> file;
        std::int16_t accounts;
        std::string saved;
    };
    const std::string two = NamedRecord("Ann") + NamedRecord("Bob");
    const Row rows[] = {{"missing", std::nullopt, 1, DefaultRecord},
                        {"empty", "", 1, DefaultRecord},
                        {"45 bytes", std::string(45, 'x'), 1, DefaultRecord},
                        {"two records and a piece", two + "x", 2, two}};
    for (const Row& row : rows) {
        TempFolder folder;
        const std::string path = BankFilePath(folder.Path());
        if (row.file) {
            WriteBytes(path, *row.file);
        }
        const Bank bank = Loaded(folder, 5);
        EXPECT_EQ(bank.AccountCount, row.accounts) << row.what;
        EXPECT_EQ(bank.GCNum, row.accounts) << row.what;
        EXPECT_EQ(ReadBytes(path), row.file.value_or("")) << row.what;
        if (!row.file) {
            EXPECT_EQ(test::FileMode(path), 0600u) << "created by the load";
        }
        ASSERT_TRUE(SaveBank(bank, folder.Path()).ok);
        EXPECT_EQ(ReadBytes(path), row.saved) << row.what;
    }
}

TEST(BankFile, TheCurrentAccountIsKeptAmongTheAccounts) {
    TempFolder folder;
    WriteBytes(BankFilePath(folder.Path()),
               NamedRecord("Ann") + NamedRecord("  Bob") + NamedRecord("Carol"));
    for (const auto& [stored, name] :
         {std::pair{7, "Carol"}, std::pair{2, "Bob"}, std::pair{1, "Ann"}, std::pair{0, "Ann"},
          std::pair{-4, "Ann"}}) {
        const Bank bank = Loaded(folder, static_cast<std::int16_t>(stored));
        EXPECT_EQ(bank.CurrentAccountName, name) << stored;
        EXPECT_EQ(TrimmedText(CurrentAccount(bank).Name), name) << stored;
    }
}

// A save killed before its rename leaves its temporary file; a later save removes those of
// the bank's that are ten minutes old, and nothing else.
TEST(BankFile, TemporaryFilesLeftByAKilledSaveGoWhenTheyAreOld) {
    struct Entry {
        const char* name;
        int minutesOld;
        bool kept;
    };
    const Entry entries[] = {
        {"gbank.db.new-a1B2c3", 60, false}, {"gbank.db.new-Zz9yX8", 11, false},
        {"gbank.db.new-q7R8s9", 9, true}, // may belong to a save under way
        {"gbank.db.new-abc", 60, true},   // not a name mkostemp makes
        {"gbank.db.new-abcdefg", 60, true}, {"other.db.new-a1B2c3", 60, true},
        {"xgbank.db.new-a1B2c3", 60, true}, {"gbank.db.new-d1r2c3", 60, true}}; // a folder
    TempFolder folder;
    std::vector<std::string> expected = {"gbank.db"};
    for (const Entry& entry : entries) {
        const std::string path = folder / entry.name;
        if (std::string_view(entry.name).ends_with("d1r2c3")) {
            ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
        } else {
            WriteBytes(path, "partial");
        }
        const timespec when{::time(nullptr) - entry.minutesOld * 60, 0};
        const timespec times[2] = {when, when};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        if (entry.kept) {
            expected.push_back(entry.name);
        }
    }
    std::sort(expected.begin(), expected.end());
    ASSERT_TRUE(SaveBank(Loaded(folder), folder.Path()).ok);
    EXPECT_EQ(FolderEntries(folder.Path()), expected);
}

// A gbank.db beside the program is used there only where it and its folder are the player's
// own and no one else can write the folder; otherwise the bank lives in the data folder, and
// the debug console's note says why.
TEST(BankFolder, ABankBesideTheProgramIsUsedOnlyWhereItIsThePlayersOwn) {
    enum Beside { Nothing, File, Link, Folder, OthersFile };
    struct Row {
        Beside beside;
        unsigned mode;    // of the program's folder
        const char* note; // nothing: the bank is used there
    };
    const char* const shared = "others can write its folder";
    const char* const odd = "it is not a regular file";
    const char* const others =
        ::geteuid() == 0 ? "it or its folder belongs to another user" : nullptr;
    const Row rows[] = {{Nothing, 0755, ""},       {File, 0755, nullptr}, {File, 0775, shared},
                        {File, 0777, shared},      {Link, 0755, odd},     {Folder, 0755, odd},
                        {OthersFile, 0755, others}};
    for (const Row& row : rows) {
        TempFolder folder;
        const std::string program = folder / "program";
        const std::string bank = BankFilePath(program);
        ::mkdir(program.c_str(), 0700);
        ::chmod(program.c_str(), row.mode);
        if (row.beside == File || row.beside == OthersFile) {
            WriteBytes(bank, "");
        }
        if (row.beside == OthersFile) {
            ::lchown(bank.c_str(), 1, 1); // works for root only
        } else if (row.beside == Link) {
            WriteBytes(folder / "elsewhere", "");
            ::symlink((folder / "elsewhere").c_str(), bank.c_str());
        } else if (row.beside == Folder) {
            ::mkdir(bank.c_str(), 0700);
        }
        const BankPlace place = ChooseBankFolder(program, folder / "share");
        EXPECT_EQ(place.folder, row.note ? folder / "share/corvanta" : program) << row.beside;
        const std::string prefix = "The gbank.db beside the program is not used: ";
        EXPECT_EQ(place.note, row.note && *row.note ? prefix + row.note + "." : "") << row.beside;
    }
    EXPECT_EQ(BankFilePath("/games/poker/"), "/games/poker//gbank.db"); // always a separator
    EXPECT_EQ(LockFilePath("/games/poker"), "/games/poker/gbank.db.lock");
}

} // namespace
} // namespace corvanta
