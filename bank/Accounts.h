#pragma once
// The player's bank commands: Change Account (find, switch, name, create), deposit,
// withdrawal, the loan, the statistics reset and the account editor's Save Changes.
// Each returns what happened; the window writes the captions and shows the messages.
// Texts here are UTF-8; the record fields hold Windows-1252 (see AccountTable.h).

#include "bank/AccountTable.h"
#include "engine/Table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvanta {

// ---- Texts of the bank's prompts and message boxes ------------------------------------

inline constexpr std::string_view BankAccessTitle = "Corvanta - Bank Account Access";
inline constexpr std::string_view AccountNamePrompt = "Please enter the name of the account:";
// Yes/No question when no account has the typed name (the spelling is the game's own).
inline constexpr std::string_view CreateAccountQuestion =
    "That account does not exisit\rWould you like to create it?";
inline constexpr std::string_view NameCurrentAccountPrompt =
    "Please enter a name for this account before the new account is created:\r"
    "The name may not be more than 20 characters in length, but may include spaces and "
    "punctuation.";
inline constexpr std::string_view NameCurrentAccountDefault = "Jimmy Crack Corn";
inline constexpr std::string_view BankFullMessage =
    "The bank is full: it holds 100 accounts, the most it can keep.";

inline constexpr std::string_view DepositTitle = "Corvanta - Deposit Cash";
inline constexpr std::string_view DepositPrompt = "Please";
inline constexpr std::string_view WithdrawTitle = "Corvanta - Withdraw Cash";
inline constexpr std::string_view WithdrawPrompt =
    "Enter the amount of money you would like to withdraw from your account:";
inline constexpr std::string_view BankBoxAfterTransfer = "0"; // txtBank after a transfer

inline constexpr std::string_view EditAccountTitle = "Corvanta - Edit Account";
inline constexpr std::string_view BlankNameMessage =
    "Unable to save the new name!\rNames cannot consist solely of spaces, but may include "
    "letters, numbers, or punctuation.";
inline constexpr std::string_view PasswordMismatchMessage =
    "Unable to save the new password!\rThe two entries do not match. Please input the "
    "password again.";

inline constexpr std::int32_t NewAccountMoney = 50; // savings and cash of a new account
inline constexpr std::int32_t LoanMoney = 25;       // savings and cash after the loan

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

// ---- Change Account ------------------------------------------------------------------
// The window runs: prompt -> FindAccount -> Found: SelectAccount.
// NotFound: Yes/No question -> Yes: IsBankFull? message, stop -> IsNameless(current)?
// prompt and NameAccount -> CreateAccount.

enum class LookupResult {
    BlankName, // nothing typed, only spaces, or Cancel: stop, nothing changes
    Found,     // slot holds the first matching account
    NotFound,  // ask whether to create it
};

struct AccountLookup {
    LookupResult result = LookupResult::BlankName;
    std::int16_t slot = 0;
};

// Searches slots 1..AccountCount in order for a name equal to the typed one, both trimmed
// of spaces and compared without regard to letter case (as Windows compares ANSI text,
// so "ë" matches "Ë").
AccountLookup FindAccount(const Bank& bank, std::string_view typedName);

// Makes the slot the current account. The cash at the table stays as it is.
AccountDisplay SelectAccount(Bank& bank, std::int16_t slot);

// True when the name is empty after trimming spaces. A never-assigned name (all NUL) is
// not empty: only spaces are trimmed.
bool IsNameless(const AccountRecord& account);

// Stores the text as typed, untrimmed, cut to 20 characters or padded with spaces.
void NameAccount(AccountRecord& account, std::string_view text);

// The table has room for MaxAccounts accounts.
bool IsBankFull(const Bank& bank);

enum class CreateStatus {
    Created,
    BankFull, // message box BankAccessTitle / BankFullMessage; nothing changed
};

struct CreateOutcome {
    CreateStatus status = CreateStatus::BankFull;
    std::string lblCurrentCash; // Created: "$50"
    // Created: the new account's labels; lblCurrentAccount is the typed name trimmed but
    // not cut to 20 characters, lblSavings is "$ 50".
    AccountDisplay display;
};

// Appends an account named after the typed text (trimmed, cut to 20) with $50 savings and
// makes it current; the cash at the table becomes $50, the old cash is dropped.
CreateOutcome CreateAccount(Table& table, Bank& bank, std::string_view typedName);

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

// ---- Account editor (frmAccount) ------------------------------------------------------

enum class EditStatus {
    Saved,            // lblCurrentAccount := accountCaption; close the window
    BlankName,        // show message; txtName := restoredName; stay open; nothing stored
    PasswordMismatch, // show message; empty both password boxes; stay open (name is stored)
};

struct EditOutcome {
    EditStatus status = EditStatus::Saved;
    std::string_view message;   // title EditAccountTitle; empty when saved
    std::string restoredName;   // BlankName: the stored name, trimmed
    std::string accountCaption; // Saved: the stored Name, all 20 characters
};

// Save Changes of the account editor, on the current account.
EditOutcome SaveAccountChanges(Bank& bank, std::string_view txtName, std::string_view password,
                               std::string_view confirmation);

} // namespace corvanta
