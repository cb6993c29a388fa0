#pragma once
// The money between the table and the bank: deposit, withdrawal, the loan, and the
// statistics reset; what the player sees of an account. Each command returns what happened;
// the window shows it. Change Account and the account editor have files of their own.
// Texts here are UTF-8; the record fields hold Windows-1252 (see AccountTable.h).

#include "bank/AccountTable.h"
#include "bank/Statistics.h"
#include "engine/Format.h"
#include "engine/Table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvanta {

inline constexpr std::string_view DepositTitle = "Corvanta - Deposit Cash";
inline constexpr std::string_view DepositPrompt = "Please";
inline constexpr std::string_view WithdrawTitle = "Corvanta - Withdraw Cash";
inline constexpr std::string_view WithdrawPrompt =
    "Enter the amount of money you would like to withdraw from your account:";
inline constexpr std::int32_t TransferAmountAfterMove = 0; // the bank box after a transfer

inline constexpr std::int32_t LoanMoney = 25;     // savings and cash after the loan
inline constexpr std::int32_t LoanThreshold = 20; // the loan is offered below this in both

// The loan button is offered when both the savings and the cash are below $20: after a
// round and after a withdrawal.
bool ShouldOfferLoan(const Table& table, const AccountRecord& account);

// ---- What the player sees of an account -------------------------------------------------

// One account as the main window's "Bank" and "Statistics" frames show it.
struct AccountFigures {
    std::string name; // trimmed
    Money savings;
    AccountStatistics statistics;

    bool operator==(const AccountFigures&) const = default;
};

// Used at start-up, after a switch and after the statistics reset.
AccountFigures FiguresOf(const AccountRecord& account);

// The money after a transfer or the loan.
struct CashAndSavings {
    std::int64_t cash = 0;    // CashOnHand
    std::int64_t savings = 0; // the current account's Savings

    bool operator==(const CashAndSavings&) const = default;
};

// ---- Deposit, withdrawal, loan, statistics reset ----------------------------------------

enum class TransferStatus {
    Ignored, // blank, not a 16-bit number, or negative: nothing changes
    Refused, // not below the cash (deposit) or savings (withdrawal): the bank box keeps its text
    Moved,   // the money moved; the bank box shows TransferAmountAfterMove
};

struct TransferOutcome {
    TransferStatus status = TransferStatus::Ignored;
    CashAndSavings money;   // when Moved
    bool offerLoan = false; // show cmdBankLoan; never means hide it

    bool operator==(const TransferOutcome&) const = default;
};

// Where a withdrawal's amount comes from; only the blank amount is treated differently.
enum class AmountSource {
    BankBox, // cmdWithdrawCash reads txtBank: a blank box still applies the loan offer
    Prompt,  // mnuWithdraw asks for it: a blank answer (or Cancel) stops everything
};

// cmdDeposit and mnuDeposit: the same rule for both (a blank amount does nothing).
TransferOutcome Deposit(Table& table, Bank& bank, std::string_view amountText);

TransferOutcome Withdraw(Table& table, Bank& bank, std::string_view amountText,
                         AmountSource source);

// cmdBankLoan: savings and cash are both set to $25. The window hides the loan button.
CashAndSavings TakeLoan(Table& table, Bank& bank);

// cmdClearStats: the five statistics of the current account become 0. The window asks this
// Yes/No question first, No the default, and only Yes clears: nothing brings them back.
inline constexpr std::string_view ClearStatisticsTitle = "Corvanta - Clear Statistics";
inline constexpr std::string_view ClearStatisticsQuestion =
    "Clear the statistics of this account? This cannot be undone.";
AccountStatistics ClearStatistics(Bank& bank);

} // namespace corvanta
