#include "bank/Accounts.h"

#include "bank/Windows1252.h"
#include "engine/Amount.h"
#include "engine/Format.h"
#include "engine/Limits.h"
#include "engine/Round.h"

#include <algorithm>

namespace corvanta {
namespace {

// Upper case of one Windows-1252 byte, as a Windows ANSI comparison sees it: a-z, the
// Latin-1 letters à..þ except ÷, and š œ ž ÿ, whose capitals lie in 0x80..0x9F.
// ß and µ have no capital in the code page and stay as they are.
char UpperAnsi(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
        return static_cast<char>(b - 0x20);
    }
    switch (b) {
    case 0x9A: // š
        return static_cast<char>(0x8A);
    case 0x9C: // œ
        return static_cast<char>(0x8C);
    case 0x9E: // ž
        return static_cast<char>(0x8E);
    case 0xFF: // ÿ
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

// What two names or passwords are compared by: trimmed of spaces, upper-cased, in the
// code page of the record fields. The raw bytes of a stored field are already there.
std::string ComparisonKey(std::string_view windows1252) {
    std::string key = TrimSpaces(windows1252);
    std::transform(key.begin(), key.end(), key.begin(), UpperAnsi);
    return key;
}

// Typed text in the same terms; a character the code page cannot hold reads as '?',
// exactly as it would be stored.
std::string TypedKey(std::string_view utf8) {
    return ComparisonKey(EncodeWindows1252(utf8));
}

MoneyCaptions CaptionsFor(const Table& table, const AccountRecord& account) {
    return {MoneyText(table.CashOnHand), MoneyText(account.Savings)};
}

} // namespace

AccountDisplay DisplayAccount(const AccountRecord& account) {
    return {TrimmedText(account.Name),         MoneyText(account.Savings),
            PlainNumber(account.RoundsWon),    PlainNumber(account.RoundsLost),
            PlainNumber(account.RoundsPlayed), MoneyText(account.AmountWon),
            MoneyText(account.AmountLost),     MoneyText(AverageGains(account))};
}

AccountLookup FindAccount(const Bank& bank, std::string_view typedName) {
    const std::string wanted = TypedKey(typedName);
    if (wanted.empty()) {
        return {LookupResult::BlankName, 0};
    }
    const int count = std::clamp<int>(bank.AccountCount, 0, MaxAccounts);
    for (int slot = 1; slot <= count; ++slot) {
        const auto& name = bank.AccountTable[slot].Name;
        if (ComparisonKey(std::string_view(name.data(), name.size())) == wanted) {
            return {LookupResult::Found, static_cast<std::int16_t>(slot)};
        }
    }
    return {LookupResult::NotFound, 0};
}

AccountDisplay SelectAccount(Bank& bank, std::int16_t slot) {
    bank.GCNum = slot;
    return DisplayAccount(CurrentAccount(bank));
}

bool IsNameless(const AccountRecord& account) {
    return TrimmedText(account.Name).empty();
}

void NameAccount(AccountRecord& account, std::string_view text) {
    AssignText(account.Name, text);
}

bool IsBankFull(const Bank& bank) {
    return bank.AccountCount >= MaxAccounts;
}

CreateOutcome CreateAccount(Table& table, Bank& bank, std::string_view typedName) {
    CreateOutcome outcome;
    if (IsBankFull(bank)) {
        return outcome;
    }
    const auto slot = static_cast<std::int16_t>(std::max<int>(bank.AccountCount, 0) + 1);
    // The slot may still hold a record the debug console deleted; a new account starts
    // clean, with no password and no statistics of its predecessor.
    AccountRecord& account = bank.AccountTable[slot];
    account = AccountRecord{};
    const std::string name = TrimSpaces(typedName);
    AssignText(account.Name, name);
    account.Savings = NewAccountMoney;
    table.CashOnHand = NewAccountMoney;
    bank.AccountCount = slot;
    bank.GCNum = slot;

    outcome.status = CreateStatus::Created;
    outcome.lblCurrentCash = MoneyText(table.CashOnHand);
    outcome.display = DisplayAccount(account);
    outcome.display.lblCurrentAccount = name; // as typed: not cut to the field's 20
    outcome.display.lblSavings = SpacedMoneyText(account.Savings);
    return outcome;
}

TransferOutcome Deposit(Table& table, Bank& bank, std::string_view amountText) {
    TransferOutcome outcome;
    // A blank box fails the conversion too, so the box and the prompt behave alike.
    const auto amount = ConvertAmount(amountText);
    if (!amount || *amount < 0) {
        return outcome; // a negative amount would move money the wrong way
    }
    AccountRecord& account = CurrentAccount(bank);
    if (*amount >= table.CashOnHand) {
        outcome.status = TransferStatus::Refused;
        return outcome;
    }
    table.CashOnHand -= *amount;
    account.Savings = AddMoney(account.Savings, *amount);
    outcome.status = TransferStatus::Moved;
    outcome.captions = CaptionsFor(table, account);
    return outcome;
}

TransferOutcome Withdraw(Table& table, Bank& bank, std::string_view amountText,
                         AmountSource source) {
    TransferOutcome outcome;
    AccountRecord& account = CurrentAccount(bank);
    const bool blankBox = source == AmountSource::BankBox && TrimSpaces(amountText).empty();
    if (!blankBox) {
        const auto amount = ConvertAmount(amountText);
        if (!amount || *amount < 0) {
            return outcome; // stops before the loan offer
        }
        if (*amount >= account.Savings) {
            outcome.status = TransferStatus::Refused;
        } else {
            table.CashOnHand = AddMoney(table.CashOnHand, *amount);
            account.Savings -= *amount;
            outcome.status = TransferStatus::Moved;
            outcome.captions = CaptionsFor(table, account);
        }
    }
    outcome.offerLoan = ShouldOfferLoan(table, account);
    return outcome;
}

MoneyCaptions TakeLoan(Table& table, Bank& bank) {
    AccountRecord& account = CurrentAccount(bank);
    account.Savings = LoanMoney;
    table.CashOnHand = LoanMoney;
    return CaptionsFor(table, account);
}

AccountDisplay ClearStatistics(Bank& bank) {
    AccountRecord& account = CurrentAccount(bank);
    account.RoundsWon = 0;
    account.RoundsLost = 0;
    account.RoundsPlayed = 0;
    account.AmountWon = 0;
    account.AmountLost = 0;
    return DisplayAccount(account);
}

EditOutcome SaveAccountChanges(Bank& bank, std::string_view txtName, std::string_view password,
                               std::string_view confirmation) {
    EditOutcome outcome;
    AccountRecord& account = CurrentAccount(bank);
    const std::string name = TrimSpaces(txtName);
    if (name.empty()) {
        outcome.status = EditStatus::BlankName;
        outcome.message = BlankNameMessage;
        outcome.restoredName = TrimmedText(account.Name);
        return outcome;
    }
    AssignText(account.Name, name);
    // A blank first box leaves the password as it is, whatever the second box holds.
    if (!TrimSpaces(password).empty()) {
        if (TypedKey(password) != TypedKey(confirmation)) {
            outcome.status = EditStatus::PasswordMismatch;
            outcome.message = PasswordMismatchMessage;
            return outcome;
        }
        AssignText(account.Password, TrimSpaces(password));
    }
    outcome.accountCaption = StoredText(account.Name);
    return outcome;
}

} // namespace corvanta
