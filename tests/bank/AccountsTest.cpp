#include "bank/Accounts.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace corvanta {
namespace {

constexpr std::int32_t MaxMoney = std::numeric_limits<std::int32_t>::max();

std::string Padded(std::string text, std::size_t width = NameWidth) {
    text.resize(width, ' ');
    return text;
}

struct BankFixture : ::testing::Test {
    // Appends an account the way a loaded bank holds it.
    AccountRecord& Add(std::string_view name, std::int32_t savings) {
        AccountRecord& account = bank.AccountTable[++bank.AccountCount];
        AssignText(account.Name, name);
        account.Savings = savings;
        return account;
    }
    AccountRecord& Current() { return CurrentAccount(bank); }

    Bank bank;
    Table table;
};

// ---- Change Account -----------------------------------------------------------------

TEST_F(BankFixture, FindAccountIgnoresCaseAndSurroundingSpacesOnly) {
    Add("Default", 100);
    Add("Ëlise", 10);
    Add("Šœž ÿ", 10);
    Add("Twin", 10);
    Add("Twin", 20);
    Add("", 0); // 20 spaces, as the debug console leaves a deleted last record
    bank.AccountTable[7] = bank.AccountTable[1]; // beyond the count: never searched
    AssignText(bank.AccountTable[7].Name, "Ghost");

    struct Row {
        const char* typed;
        LookupResult result;
        std::int16_t slot;
    };
    for (const Row& row : {
             Row{"  default ", LookupResult::Found, 1}, Row{"DEFAULT", LookupResult::Found, 1},
             Row{"ëlise", LookupResult::Found, 2}, // Latin-1 letters have capitals too
             Row{"ËLISE", LookupResult::Found, 2},
             Row{"ŠŒŽ Ÿ", LookupResult::Found, 3}, // and so do the four in 0x80..0x9F
             Row{"twin", LookupResult::Found, 4},  // the lower slot wins
             Row{"Def ault", LookupResult::NotFound, 0}, Row{"Defaul", LookupResult::NotFound, 0},
             Row{"Default\t", LookupResult::NotFound, 0}, // only spaces are trimmed
             Row{"Elise", LookupResult::NotFound, 0},     // accents are not ignored
             Row{"Ghost", LookupResult::NotFound, 0}, Row{"", LookupResult::BlankName, 0},
             Row{"    ", LookupResult::BlankName, 0}, // never finds the blank slot 6
         }) {
        const AccountLookup lookup = FindAccount(bank, row.typed);
        EXPECT_EQ(lookup.result, row.result) << row.typed;
        EXPECT_EQ(lookup.slot, row.slot) << row.typed;
    }
}

TEST_F(BankFixture, SwitchingShowsTheAccountAndKeepsTheCash) {
    Add("Default", 100);
    AccountRecord& main = Add("  Main ", 150);
    main.RoundsPlayed = 4;
    main.RoundsWon = 1;
    main.RoundsLost = 3;
    main.AmountWon = 10;
    main.AmountLost = 25;
    table.CashOnHand = 75;
    table.BetAmount = 5;

    const AccountDisplay display = SelectAccount(bank, FindAccount(bank, "main").slot);
    EXPECT_EQ(bank.GCNum, 2);
    EXPECT_EQ(table.CashOnHand, 75);
    EXPECT_EQ(table.BetAmount, 5);
    EXPECT_EQ(display,
              (AccountDisplay{"Main", "$150", "1", "3", "4", "$10", "$25", "$-3"})); // -15/4
}

TEST(DisplayAccount, AverageGainsTruncateTowardZeroAndAreZeroWithoutRounds) {
    struct Row {
        std::int16_t played;
        std::int32_t won;
        std::int32_t lost;
        const char* average;
    };
    for (const Row& row : {Row{0, 50, 0, "$0"}, Row{-1, 50, 0, "$0"}, Row{3, 10, 0, "$3"},
                           Row{2, 0, 7, "$-3"}, Row{1, MaxMoney, -MaxMoney, "$4294967294"}}) {
        AccountRecord account;
        account.RoundsPlayed = row.played;
        account.AmountWon = row.won;
        account.AmountLost = row.lost;
        EXPECT_EQ(DisplayAccount(account).lblAveGains, row.average) << row.played;
    }
}

TEST(IsNameless, OnlyANameOfSpacesIsBlank) {
    AccountRecord account; // never assigned: 20 NULs, which trimming does not remove
    EXPECT_FALSE(IsNameless(account));
    NameAccount(account, "");
    EXPECT_TRUE(IsNameless(account));
    NameAccount(account, "   x  ");
    EXPECT_FALSE(IsNameless(account));
}

TEST(NameAccount, StoresTheAnswerUntrimmedCutToTwentyCharacters) {
    AccountRecord account;
    NameAccount(account, "  Jimmy Crack Corn");
    EXPECT_EQ(StoredText(account.Name), "  Jimmy Crack Corn  ");
    NameAccount(account, "Jimmy Crack Corn and I don't care");
    EXPECT_EQ(StoredText(account.Name), "Jimmy Crack Corn and");
}

TEST_F(BankFixture, CreatingAnAccountStartsItCleanWithFiftyDollars) {
    Add("Default", 100);
    table.CashOnHand = 500;
    table.BetAmount = 5;
    // Leftovers of a record the debug console deleted from slot 2.
    AccountRecord& leftover = bank.AccountTable[2];
    AssignText(leftover.Name, "Old");
    AssignText(leftover.Password, "secret");
    leftover.Savings = 999;
    leftover.RoundsPlayed = 9;
    leftover.AmountLost = 77;

    const CreateOutcome outcome = CreateAccount(table, bank, "  New Guy ");
    ASSERT_EQ(outcome.status, CreateStatus::Created);
    EXPECT_EQ(bank.AccountCount, 2);
    EXPECT_EQ(bank.GCNum, 2);
    EXPECT_EQ(table.CashOnHand, 50);
    EXPECT_EQ(table.BetAmount, 5);
    AccountRecord expected;
    AssignText(expected.Name, "New Guy");
    expected.Savings = 50;
    EXPECT_EQ(bank.AccountTable[2], expected);
    EXPECT_EQ(bank.AccountTable[2].Password, FixedText<PasswordWidth>{}); // all NUL
    EXPECT_EQ(outcome.lblCurrentCash, "$50");
    EXPECT_EQ(outcome.display,
              (AccountDisplay{"New Guy", "$ 50", "0", "0", "0", "$0", "$0", "$0"}));
}

TEST_F(BankFixture, ALongNameIsStoredAsItsFirstTwentyCharacters) {
    Add("Default", 100);
    const std::string typed = "Abcdefghij Klmnopqrst Uvwxy"; // 27 characters
    const std::string first20 = typed.substr(0, 20);

    const CreateOutcome outcome = CreateAccount(table, bank, typed);
    EXPECT_EQ(outcome.display.lblCurrentAccount, typed); // shown whole until next refresh
    EXPECT_EQ(StoredText(bank.AccountTable[2].Name), first20);
    EXPECT_EQ(FindAccount(bank, typed).result, LookupResult::NotFound);
    CreateAccount(table, bank, typed); // a second account with the same stored name
    EXPECT_EQ(FindAccount(bank, first20).slot, 2);
}

TEST_F(BankFixture, AFullBankRefusesANewAccountAndChangesNothing) {
    for (int i = 1; i < MaxAccounts; ++i) {
        Add("Player " + std::to_string(i), i);
    }
    bank.GCNum = 7;
    table.CashOnHand = 300;
    ASSERT_FALSE(IsBankFull(bank));
    Add("Last", 1);
    ASSERT_TRUE(IsBankFull(bank));
    const auto before = bank.AccountTable;

    const CreateOutcome outcome = CreateAccount(table, bank, "One Too Many");
    EXPECT_EQ(outcome.status, CreateStatus::BankFull);
    EXPECT_EQ(bank.AccountTable, before);
    EXPECT_EQ(bank.AccountCount, MaxAccounts);
    EXPECT_EQ(bank.GCNum, 7);
    EXPECT_EQ(table.CashOnHand, 300);
    EXPECT_EQ(BankFullMessage, "The bank is full: it holds 100 accounts, the most it can keep.");
}

// ---- Deposit and withdrawal ---------------------------------------------------------

enum class Command { Deposit, WithdrawBox, WithdrawPrompt };

struct TransferRow {
    const char* name;
    Command command;
    std::int32_t cash;
    std::int32_t savings;
    const char* text;
    TransferStatus status;
    std::int32_t cashAfter;
    std::int32_t savingsAfter;
    bool offerLoan;
};

constexpr auto Ignored = TransferStatus::Ignored;
constexpr auto Refused = TransferStatus::Refused;
constexpr auto Moved = TransferStatus::Moved;

TEST_F(BankFixture, TransfersFollowTheStrictLimitsAndTheLoanOfferRule) {
    const std::vector<TransferRow> rows = {
        {"deposit all cash", Command::Deposit, 100, 0, "100", Refused, 100, 0, false},
        {"deposit one less", Command::Deposit, 100, 0, "99", Moved, 1, 99, false},
        {"deposit nothing", Command::Deposit, 100, 0, "0", Moved, 100, 0, false},
        {"deposit rounded half to even", Command::Deposit, 100, 0, " 2.5 ", Moved, 98, 2, false},
        {"deposit blank box", Command::Deposit, 100, 0, "  ", Ignored, 100, 0, false},
        {"deposit not a number", Command::Deposit, 100, 0, "ten", Ignored, 100, 0, false},
        {"deposit above 16 bits", Command::Deposit, 99999, 0, "40000", Ignored, 99999, 0, false},
        {"deposit negative", Command::Deposit, 100, 10, "-50", Ignored, 100, 10, false},
        {"deposit never offers a loan", Command::Deposit, 10, 15, "5", Moved, 5, 20, false},
        {"deposit blank when poor", Command::Deposit, 10, 15, "", Ignored, 10, 15, false},
        {"deposit into full savings", Command::Deposit, 100, MaxMoney - 1, "5", Moved, 95, MaxMoney,
         false},
        {"withdraw all savings", Command::WithdrawBox, 100, 40, "40", Refused, 100, 40, false},
        {"withdraw one less", Command::WithdrawBox, 100, 40, "39", Moved, 139, 1, false},
        {"withdraw blank box offers loan", Command::WithdrawBox, 10, 15, "", Ignored, 10, 15, true},
        {"withdraw spaces offer loan", Command::WithdrawBox, 10, 15, "   ", Ignored, 10, 15, true},
        {"withdraw blank box, no need", Command::WithdrawBox, 20, 15, "", Ignored, 20, 15, false},
        {"withdraw refused, loan offered", Command::WithdrawBox, 10, 15, "15", Refused, 10, 15,
         true},
        {"withdraw leaves both low", Command::WithdrawBox, 10, 15, "5", Moved, 15, 10, true},
        {"withdraw lifts the cash", Command::WithdrawBox, 10, 15, "10", Moved, 20, 5, false},
        {"withdraw above 16 bits", Command::WithdrawBox, 10, 15, "99999", Ignored, 10, 15, false},
        {"withdraw not a number", Command::WithdrawBox, 10, 15, "abc", Ignored, 10, 15, false},
        {"withdraw prompt cancelled", Command::WithdrawPrompt, 10, 15, "", Ignored, 10, 15, false},
        {"withdraw prompt negative", Command::WithdrawPrompt, 10, 15, "-100", Ignored, 10, 15,
         false},
        {"withdraw prompt", Command::WithdrawPrompt, 100, 40, "39", Moved, 139, 1, false},
        {"withdraw onto full cash", Command::WithdrawPrompt, MaxMoney - 1, 30000, "20000", Moved,
         MaxMoney, 10000, false},
    };
    for (const TransferRow& row : rows) {
        Bank rowBank;
        rowBank.AccountCount = 1;
        rowBank.GCNum = 1;
        rowBank.AccountTable[1].Savings = row.savings;
        table.CashOnHand = row.cash;
        const TransferOutcome outcome =
            row.command == Command::Deposit
                ? Deposit(table, rowBank, row.text)
                : Withdraw(table, rowBank, row.text,
                           row.command == Command::WithdrawBox ? AmountSource::BankBox
                                                               : AmountSource::Prompt);
        EXPECT_EQ(outcome.status, row.status) << row.name;
        EXPECT_EQ(table.CashOnHand, row.cashAfter) << row.name;
        EXPECT_EQ(rowBank.AccountTable[1].Savings, row.savingsAfter) << row.name;
        EXPECT_EQ(outcome.offerLoan, row.offerLoan) << row.name;
    }
}

TEST_F(BankFixture, ATransferReportsTheNewCaptions) {
    Add("Default", 40);
    bank.GCNum = 1;
    table.CashOnHand = 100;
    EXPECT_EQ(Deposit(table, bank, "99").captions, (MoneyCaptions{"$1", "$139"}));
    EXPECT_EQ(Withdraw(table, bank, "139", AmountSource::BankBox).captions,
              MoneyCaptions{}); // refused: the captions stay as they are
    EXPECT_EQ(Withdraw(table, bank, "138", AmountSource::Prompt).captions,
              (MoneyCaptions{"$139", "$1"}));
}

TEST_F(BankFixture, TheLoanSetsCashAndSavingsToTwentyFive) {
    Add("Default", 15);
    bank.GCNum = 1;
    for (const std::int32_t cash : {10, 3000, -4}) {
        table.CashOnHand = cash;
        Current().Savings = cash / 2;
        EXPECT_EQ(TakeLoan(table, bank), (MoneyCaptions{"$25", "$25"}));
        EXPECT_EQ(table.CashOnHand, 25);
        EXPECT_EQ(Current().Savings, 25);
    }
}

TEST_F(BankFixture, ClearingStatisticsKeepsNameSavingsAndPassword) {
    AccountRecord& account = Add("Default", 80);
    AssignText(account.Password, "pw");
    account.RoundsPlayed = 12;
    account.RoundsWon = 5;
    account.RoundsLost = 7;
    account.AmountWon = 60;
    account.AmountLost = 35;
    bank.GCNum = 1;
    AccountRecord expected = account;
    expected.RoundsPlayed = expected.RoundsWon = expected.RoundsLost = 0;
    expected.AmountWon = expected.AmountLost = 0;

    const AccountDisplay display = ClearStatistics(bank);
    EXPECT_EQ(account, expected);
    EXPECT_EQ(display, (AccountDisplay{"Default", "$80", "0", "0", "0", "$0", "$0", "$0"}));
}

// ---- Account editor -----------------------------------------------------------------

TEST_F(BankFixture, SaveChangesStoresTheNameAndAMatchingPassword) {
    struct Row {
        const char* name;
        const char* password;
        const char* confirmation;
        std::string storedName;
        std::string storedPassword; // "old" when the password stays
    };
    const std::string old = Padded("old", PasswordWidth);
    for (const Row& row : {
             Row{"  Ace  ", "", "", Padded("Ace"), old},
             Row{"Abcdefghij Klmnopqrst Uvwxy", "", "", "Abcdefghij Klmnopqrs", old},
             Row{"Ace", "SeCreT", "SECRET", Padded("Ace"), Padded("SeCreT", PasswordWidth)},
             Row{"Ace", " pass ", "PaSs", Padded("Ace"), Padded("pass", PasswordWidth)},
             Row{"Ace", "ëlan", "ËLAN", Padded("Ace"), "ëlan    " /* 8 characters */},
             Row{"Ace", "", "whatever", Padded("Ace"), old},
             Row{"Ace", "   ", "whatever", Padded("Ace"), old},
         }) {
        Bank rowBank;
        rowBank.AccountCount = 1;
        rowBank.GCNum = 1;
        AccountRecord& account = rowBank.AccountTable[1];
        AssignText(account.Name, "Before");
        AssignText(account.Password, "old");

        const EditOutcome outcome =
            SaveAccountChanges(rowBank, row.name, row.password, row.confirmation);
        EXPECT_EQ(outcome.status, EditStatus::Saved) << row.name << '/' << row.password;
        EXPECT_TRUE(outcome.message.empty());
        EXPECT_EQ(StoredText(account.Name), row.storedName) << row.name;
        EXPECT_EQ(outcome.accountCaption, row.storedName) << row.name; // with its 20 chars
        EXPECT_EQ(StoredText(account.Password), row.storedPassword) << row.password;
    }
}

TEST_F(BankFixture, ASavedNameIsFoundByChangeAccountInAnyCase) {
    Add("Default", 100);
    Add("Other", 100);
    bank.GCNum = 2;
    SaveAccountChanges(bank, "  Ace  ", "", "");
    EXPECT_EQ(FindAccount(bank, "ace").slot, 2);
}

TEST_F(BankFixture, ABlankNameIsRefusedAndNothingIsStored) {
    AccountRecord& account = Add("  Main ", 10);
    AssignText(account.Password, "old");
    bank.GCNum = 1;
    const AccountRecord before = account;
    for (const char* name : {"", "     "}) {
        const EditOutcome outcome = SaveAccountChanges(bank, name, "new", "new");
        EXPECT_EQ(outcome.status, EditStatus::BlankName);
        EXPECT_EQ(outcome.message, "Unable to save the new name!\rNames cannot consist solely of "
                                   "spaces, but may include letters, numbers, or punctuation.");
        EXPECT_EQ(outcome.restoredName, "Main");
        EXPECT_EQ(account, before);
    }
}

TEST_F(BankFixture, MismatchedPasswordsKeepTheNewNameButNotThePassword) {
    AccountRecord& account = Add("Before", 10);
    AssignText(account.Password, "old");
    bank.GCNum = 1;
    const EditOutcome outcome = SaveAccountChanges(bank, "After", "one", "two");
    EXPECT_EQ(outcome.status, EditStatus::PasswordMismatch);
    EXPECT_EQ(outcome.message, "Unable to save the new password!\rThe two entries do not match. "
                               "Please input the password again.");
    EXPECT_EQ(StoredText(account.Name), Padded("After"));
    EXPECT_EQ(StoredText(account.Password), Padded("old", PasswordWidth));
    EXPECT_TRUE(outcome.accountCaption.empty()); // the main window keeps the old caption
}

} // namespace
} // namespace corvanta
