#include "bank/Accounts.h"
#include "bank/AccountEditor.h"
#include "bank/Statistics.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace corvanta {
namespace {

constexpr std::int16_t MaxCount = std::numeric_limits<std::int16_t>::max();
constexpr std::int32_t MaxMoney = std::numeric_limits<std::int32_t>::max();

// A bank of one account, "Default", which is the current one.
Bank OneAccount(std::int32_t savings) {
    Bank bank;
    bank.AccountCount = 1;
    AssignText(bank.AccountTable[1].Name, "Default");
    AssignText(bank.AccountTable[1].Password, "old");
    bank.AccountTable[1].Savings = savings;
    return bank;
}

std::string Padded(std::string text, std::size_t width = NameWidth) {
    text.resize(width, ' ');
    return text;
}

// Amounts move only when strictly below what they come from; the loan is offered after a
// withdrawal that leaves both the cash and the savings below $20, and makes both $25.
TEST(Transfers, FollowTheStrictLimitsAndTheLoanOfferRule) {
    enum Command { Deposit, Withdraw, Prompt, Loan };
    constexpr auto Ignored = TransferStatus::Ignored;
    constexpr auto Refused = TransferStatus::Refused;
    constexpr auto Moved = TransferStatus::Moved;
    struct Row {
        const char* name;
        Command command;
        std::int32_t cash, savings;
        const char* text;
        TransferStatus status;
        std::int32_t cashAfter, savingsAfter;
        bool offerLoan;
    };
    const Row rows[] = {
        {"deposit all the cash", Deposit, 100, 0, "100", Refused, 100, 0, false},
        {"deposit one less", Deposit, 100, 0, "99", Moved, 1, 99, false},
        {"deposit nothing", Deposit, 100, 7, "0", Moved, 100, 7, false},
        {"deposit rounded half to even", Deposit, 100, 0, " 2.5 ", Moved, 98, 2, false},
        {"deposit blank", Deposit, 10, 15, "  ", Ignored, 10, 15, false},
        {"deposit above 16 bits", Deposit, 99999, 0, "40000", Ignored, 99999, 0, false},
        {"deposit negative", Deposit, 100, 10, "-50", Ignored, 100, 10, false},
        {"deposit never offers the loan", Deposit, 10, 15, "5", Moved, 5, 20, false},
        {"deposit into full savings", Deposit, 100, MaxMoney - 1, "5", Moved, 95, MaxMoney, false},
        {"withdraw all the savings", Withdraw, 100, 40, "40", Refused, 100, 40, false},
        {"withdraw one less", Withdraw, 100, 40, "39", Moved, 139, 1, false},
        {"withdraw blank box offers the loan", Withdraw, 10, 15, "   ", Ignored, 10, 15, true},
        {"withdraw blank box, cash at $20", Withdraw, 20, 15, "", Ignored, 20, 15, false},
        {"withdraw refused, the loan offered", Withdraw, 10, 15, "15", Refused, 10, 15, true},
        {"withdraw leaves both low", Withdraw, 10, 15, "5", Moved, 15, 10, true},
        {"withdraw lifts the cash to $20", Withdraw, 10, 15, "10", Moved, 20, 5, false},
        {"withdraw leaves savings at $20", Withdraw, 10, 25, "5", Moved, 15, 20, false},
        {"prompt cancelled", Prompt, 10, 15, "", Ignored, 10, 15, false},
        {"prompt negative", Prompt, 10, 15, "-100", Ignored, 10, 15, false},
        {"prompt", Prompt, 100, 40, "39", Moved, 139, 1, false},
        {"prompt onto full cash", Prompt, MaxMoney - 1, 30000, "20000", Moved, MaxMoney, 10000,
         false},
        {"loan to the poor", Loan, 10, 5, "", Moved, 25, 25, false},
        {"loan to the rich", Loan, 3000, -4, "", Moved, 25, 25, false},
    };
    for (const Row& row : rows) {
        Bank bank = OneAccount(row.savings);
        Table table;
        table.CashOnHand = row.cash;
        const TransferOutcome outcome =
            row.command == Loan ? TransferOutcome{Moved, TakeLoan(table, bank), false}
            : row.command == Deposit
                ? corvanta::Deposit(table, bank, row.text)
                : corvanta::Withdraw(table, bank, row.text,
                                     row.command == Withdraw ? AmountSource::BankBox
                                                             : AmountSource::Prompt);
        EXPECT_EQ(outcome.status, row.status) << row.name;
        EXPECT_EQ(table.CashOnHand, row.cashAfter) << row.name;
        EXPECT_EQ(bank.AccountTable[1].Savings, row.savingsAfter) << row.name;
        EXPECT_EQ(outcome.offerLoan, row.offerLoan) << row.name;
        const CashAndSavings moved{row.cashAfter, row.savingsAfter};
        EXPECT_EQ(outcome.money, row.status == Moved ? moved : CashAndSavings{}) << row.name;
    }
}

TEST(Statistics, RoundsAreCountedUpToTheLimitsAndClearedWithTheNameKept) {
    Bank bank = OneAccount(80);
    AccountRecord& account = bank.AccountTable[1];
    Settlement won;
    won.won = true;
    won.gain = 55;
    Settlement lost;
    lost.loss = 25;
    for (const Settlement& round : {won, lost, won}) {
        RecordRound(account, round);
    }
    EXPECT_EQ(FiguresOf(account),
              (AccountFigures{"Default", {80}, AccountStatistics{2, 1, 3, 110, 25, 28}}));

    account.RoundsPlayed = account.RoundsWon = account.RoundsLost = MaxCount - 1;
    account.AmountWon = MaxMoney - 1;
    account.AmountLost = MaxMoney - 30000;
    won.gain = 2'970'000;
    lost.loss = 30000;
    for (const Settlement& round : {won, won, lost, lost}) {
        RecordRound(account, round);
    }
    EXPECT_EQ(FiguresOf(account),
              (AccountFigures{"Default",
                              {80},
                              AccountStatistics{32767, 32767, 32767, 2147483647, 2147483647, 0}}));

    const AccountRecord before = account;
    EXPECT_EQ(ClearStatistics(bank), (AccountStatistics{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(account.Savings, 80);
    EXPECT_EQ(account.Name, before.Name);
    EXPECT_EQ(account.Password, before.Password);
}

TEST(Statistics, AverageGainsTruncateTowardZero) {
    struct Row {
        std::int16_t played;
        std::int32_t won, lost;
        std::int64_t expected;
    };
    for (const Row& row :
         {Row{1, 0, 5, -5}, Row{3, 7, 12, -1}, Row{3, 10, 25, -5}, Row{4, 10, 0, 2},
          Row{0, 50, 0, 0}, Row{-2, 50, 0, 0}, Row{1, MaxMoney, -MaxMoney - 1, 4294967295LL}}) {
        AccountRecord account;
        account.RoundsPlayed = row.played;
        account.AmountWon = row.won;
        account.AmountLost = row.lost;
        EXPECT_EQ(AverageGains(account), row.expected) << row.played << ' ' << row.won;
    }
}

// The name is stored first; the password when both entries match without regard to case and
// surrounding spaces, and left alone when the first box is blank.
TEST(AccountEditor, SaveChangesStoresTheNameAndAMatchingPassword) {
    struct Row {
        const char *name, *password, *confirmation;
        EditStatus status;
        std::string storedName, storedPassword;
    };
    const std::string old = Padded("old", PasswordWidth);
    const Row rows[] = {
        {"  Ace  ", "", "", EditStatus::Saved, Padded("Ace"), old},
        {"Ace", "SeCreT", "SECRET", EditStatus::Saved, Padded("Ace"), Padded("SeCreT", 8)},
        {"Ace", " pass ", "PaSs", EditStatus::Saved, Padded("Ace"), Padded("pass", 8)},
        {"Ace", "ëlan", "ËLAN", EditStatus::Saved, Padded("Ace"), "ëlan    "},
        {"Ace", "   ", "whatever", EditStatus::Saved, Padded("Ace"), old},
        {"After", "one", "two", EditStatus::PasswordMismatch, Padded("After"), old},
        {"     ", "new", "new", EditStatus::BlankName, Padded("Default"), old},
    };
    for (const Row& row : rows) {
        Bank bank = OneAccount(10);
        const EditOutcome outcome =
            SaveAccountChanges(bank, row.name, row.password, row.confirmation);
        const AccountRecord& account = bank.AccountTable[1];
        EXPECT_EQ(outcome.status, row.status) << row.name << '/' << row.password;
        EXPECT_EQ(StoredText(account.Name), row.storedName) << row.name;
        EXPECT_EQ(StoredText(account.Password), row.storedPassword) << row.password;
        EXPECT_EQ(outcome.storedName, row.status == EditStatus::Saved ? row.storedName : "");
        EXPECT_EQ(outcome.restoredName, row.status == EditStatus::BlankName ? "Default" : "");
    }
    Bank bank = OneAccount(10);
    EXPECT_EQ(SaveAccountChanges(bank, " ", "", "").message,
              "Unable to save the new name!\rNames cannot consist solely of spaces, but may "
              "include letters, numbers, or punctuation.");
    EXPECT_EQ(SaveAccountChanges(bank, "A", "one", "two").message,
              "Unable to save the new password!\rThe two entries do not match. Please input the "
              "password again.");
}

} // namespace
} // namespace corvanta
