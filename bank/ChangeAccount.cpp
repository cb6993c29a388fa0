#include "bank/ChangeAccount.h"

#include <algorithm>

namespace corvanta {

AccountLookup FindAccount(const Bank& bank, std::string_view typedName) {
    const std::string wanted = ComparisonKey(typedName);
    if (wanted.empty()) {
        return {LookupResult::BlankName, 0};
    }
    const int count = std::clamp<int>(bank.AccountCount, 0, MaxAccounts);
    for (int slot = 1; slot <= count; ++slot) {
        if (ComparisonKey(bank.AccountTable[slot].Name) == wanted) {
            return {LookupResult::Found, static_cast<std::int16_t>(slot)};
        }
    }
    return {LookupResult::NotFound, 0};
}

bool IsNameless(const AccountRecord& account) {
    return TrimmedText(account.Name).empty();
}

bool IsBankFull(const Bank& bank) {
    return bank.AccountCount >= MaxAccounts;
}

void CreateAccount(Table& table, Bank& bank, std::string_view typedName) {
    const auto slot = static_cast<std::int16_t>(std::max<int>(bank.AccountCount, 0) + 1);
    // The slot may still hold a record the debug console deleted; a new account starts
    // clean, with no password and no statistics of its predecessor.
    AccountRecord& account = bank.AccountTable[slot];
    account = AccountRecord{};
    AssignText(account.Name, TrimSpaces(typedName));
    account.Savings = NewAccountMoney;
    table.CashOnHand = NewAccountMoney;
    bank.AccountCount = slot;
    bank.GCNum = slot;
}

Question ChangeAccountDialogue::Begin() {
    step_ = Step::Name;
    return {Question::Kind::Text, BankAccessTitle, AccountNamePrompt, {}};
}

Question ChangeAccountDialogue::Next(const Answer& answer) {
    switch (step_) {
    case Step::Name: {
        typedName_ = answer.text;
        const AccountLookup lookup = FindAccount(bank_, typedName_);
        step_ = Step::Done;
        if (lookup.result == LookupResult::Found) {
            bank_.GCNum = lookup.slot; // the cash at the table stays as it is
            outcome_.account = FiguresOf(CurrentAccount(bank_));
            outcome_.result = AccountChange::Result::Switched;
            return {};
        }
        if (lookup.result == LookupResult::BlankName) {
            return {};
        }
        step_ = Step::Create;
        return {Question::Kind::YesNo, BankAccessTitle, CreateAccountQuestion, {}};
    }
    case Step::Create:
        if (!answer.yes) {
            step_ = Step::Done;
            return {};
        }
        if (IsBankFull(bank_)) {
            step_ = Step::BankFull;
            return {Question::Kind::Message, BankAccessTitle, BankFullMessage, {}};
        }
        if (IsNameless(CurrentAccount(bank_))) {
            step_ = Step::NameCurrent;
            return {Question::Kind::Text, BankAccessTitle, NameCurrentAccountPrompt,
                    NameCurrentAccountDefault};
        }
        return Created();
    case Step::NameCurrent:
        // Stored as typed, untrimmed; Cancel leaves the name blank. Creation goes on.
        AssignText(CurrentAccount(bank_).Name, answer.text);
        return Created();
    case Step::BankFull:
    case Step::Done:
        break;
    }
    step_ = Step::Done;
    return {};
}

Question ChangeAccountDialogue::Created() {
    CreateAccount(table_, bank_, typedName_);
    AccountFigures& account = outcome_.account;
    account = FiguresOf(CurrentAccount(bank_));
    account.name = TrimSpaces(typedName_); // as typed: not cut to the field's 20
    account.savings.form = MoneyForm::SpacedDollars;
    outcome_.cash = table_.CashOnHand;
    outcome_.result = AccountChange::Result::Created;
    step_ = Step::Done;
    return {};
}

} // namespace corvanta
