#include "bank/Accounts.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace corvanta {
namespace {

constexpr std::int32_t MaxMoney = std::numeric_limits<std::int32_t>::max();

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

// ---- Captions ------------------------------------------------------------------------

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

TEST(ShouldOfferLoan, OnlyWhenBothCashAndSavingsAreBelowTwentyDollars) {
    struct Row {
        std::int32_t cash;
        std::int32_t savings;
        bool offered;
    };
    for (const Row& row : {Row{15, 10, true}, Row{19, 19, true}, Row{0, -5, true},
                           Row{20, 19, false}, Row{19, 20, false}, Row{155, 100, false}}) {
        Table table;
        table.CashOnHand = row.cash;
        AccountRecord account;
        account.Savings = row.savings;
        EXPECT_EQ(ShouldOfferLoan(table, account), row.offered) << row.cash << '/' << row.savings;
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

} // namespace
} // namespace corvanta
