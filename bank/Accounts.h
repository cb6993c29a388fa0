#pragma once
// The money between the table and the bank: deposit, withdrawal, the loan, and the
// statistics reset; the captions of an account. Each command returns what happened; the
// window writes the captions. Change Account and the account editor have files of their own.
// Texts here are UTF-8; the record fields hold Windows-1252 (see AccountTable.h).

#include "bank/AccountTable.h"
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
inline constexpr std::string_view BankBoxAfterTransfer = "0"; // txtBank after a transfer

inline constexpr std::int32_t LoanMoney = 25;     // savings and cash after the loan
inline constexpr std::int32_t LoanThreshold = 20; // the loan is offered below this in both

// The loan button is offered when both the savings and the cash are below $20: after a
// round and after a withdrawal.
bool ShouldOfferLoan(const Table& table, const AccountRecord& account);

// ---- Captions ------------------------------------------------------------------------

// The main window's account labels for one account (the "Bank" and "Statistics" frames).
struct AccountDisplay {
    std::string lblCurrentAccount; // the name, trimmed
    std::string lblSavings;        // "$150"
    std::string lblRoundsWon;
    std::string lblRoundsLost;
    std::string lblRoundsPlayed;
    std::string lblAmountWon;  // "$55"
    std::string lblAmountLost; // "$10"
    std::string lblAveGains;   // "$4"; "$0" while no round is played

    bool operator==(const AccountDisplay&) const = default;
};

// Used at start-up, after a switch and after the statistics reset.
AccountDisplay DisplayAccount(const AccountRecord& account);

struct MoneyCaptions {
    std::string lblCurrentCash; // "$" + CashOnHand
    std::string lblSavings;     // "$" + Savings of the current account

    bool operator==(const MoneyCaptions&) const = default;
};

// ---- Deposit, withdrawal, loan, statistics reset ----------------------------------------

enum class TransferStatus {
    Ignored, // blank, not a 16-bit number, or negative: nothing changes
    Refused, // not below the cash (deposit) or savings (withdrawal): txtBank keeps its text
    Moved,   // write the captions, set txtBank to BankBoxAfterTransfer
};

struct TransferOutcome {
    TransferStatus status = TransferStatus::Ignored;
    MoneyCaptions captions; // when Moved
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
MoneyCaptions TakeLoan(Table& table, Bank& bank);

// cmdClearStats: the five statistics of the current account become 0.
AccountDisplay ClearStatistics(Bank& bank);

} // namespace corvanta
