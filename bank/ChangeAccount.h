#pragma once
// Change Account: switching to an account by name, or creating it. The rules and the
// dialogue with the player are here; the window only asks the questions.

#include "bank/Accounts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvanta {

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

inline constexpr std::int32_t NewAccountMoney = 50; // savings and cash of a new account

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
// of spaces and compared without regard to letter case.
AccountLookup FindAccount(const Bank& bank, std::string_view typedName);

// True when the name is empty after trimming spaces. A never-assigned name (all NUL) is
// not empty: only spaces are trimmed.
bool IsNameless(const AccountRecord& account);

// The table has room for MaxAccounts accounts.
bool IsBankFull(const Bank& bank);

// Appends an account named after the typed text (trimmed, cut to 20) with $50 savings and
// makes it current; the cash at the table becomes $50, the old cash is dropped. The bank
// must not be full.
void CreateAccount(Table& table, Bank& bank, std::string_view typedName);

// One question of a dialogue with the player, or its end.
struct Question {
    enum class Kind {
        None,    // the dialogue is over
        Text,    // an input prompt; Cancel answers with the empty text
        YesNo,   // a message box with Yes and No
        Message, // a message box with OK
    };
    Kind kind = Kind::None;
    std::string_view title;
    std::string_view text;
    std::string_view defaultText; // Text: the pre-filled answer
};

struct Answer {
    std::string text; // to a Text question
    bool yes = false; // to a YesNo question
};

// What Change Account did, with what the main window shows after it.
struct AccountChange {
    enum class Result { Unchanged, Switched, Created };
    Result result = Result::Unchanged;
    // Switched: the account as the bank holds it. Created: the same, but the name is the typed
    // one trimmed and not cut to 20 characters, and the savings are written "$ 50".
    AccountFigures account;
    std::int64_t cash = 0; // Created: the new account's cash at the table
};

// Change Account as steps:
//   the name is asked -> an account has it: switched
//                     -> none has it: "create it?" -> No: unchanged
//                        -> Yes: the bank is full: said, unchanged
//                           -> the current account is nameless: a name for it is asked
//                           -> created
class ChangeAccountDialogue {
public:
    ChangeAccountDialogue(Table& table, Bank& bank) : table_(table), bank_(bank) {}

    Question Begin();
    Question Next(const Answer& answer);

    const AccountChange& Outcome() const { return outcome_; }

private:
    enum class Step { Name, Create, BankFull, NameCurrent, Done };
    Question Created();

    Table& table_;
    Bank& bank_;
    Step step_ = Step::Name;
    std::string typedName_;
    AccountChange outcome_;
};

} // namespace corvanta
