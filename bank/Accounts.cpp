#include "bank/Accounts.h"

#include "bank/Statistics.h"
#include "engine/Limits.h"
#include "storage/DecimalText.h"

namespace corvanta {
namespace {

CashAndSavings MoneyOf(const Table& table, const AccountRecord& account) {
    return {table.CashOnHand, account.Savings};
}

} // namespace

bool ShouldOfferLoan(const Table& table, const AccountRecord& account) {
    return account.Savings < LoanThreshold && table.CashOnHand < LoanThreshold;
}

AccountFigures FiguresOf(const AccountRecord& account) {
    return {TrimmedText(account.Name), {account.Savings}, StatisticsOf(account)};
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
    outcome.money = MoneyOf(table, account);
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
            outcome.money = MoneyOf(table, account);
        }
    }
    outcome.offerLoan = ShouldOfferLoan(table, account);
    return outcome;
}

CashAndSavings TakeLoan(Table& table, Bank& bank) {
    AccountRecord& account = CurrentAccount(bank);
    account.Savings = LoanMoney;
    table.CashOnHand = LoanMoney;
    return MoneyOf(table, account);
}

AccountStatistics ClearStatistics(Bank& bank) {
    AccountRecord& account = CurrentAccount(bank);
    account.RoundsWon = 0;
    account.RoundsLost = 0;
    account.RoundsPlayed = 0;
    account.AmountWon = 0;
    account.AmountLost = 0;
    return StatisticsOf(account);
}

} // namespace corvanta
