// The main window's bank commands: Change Account, deposit, withdrawal, the loan, the
// statistics reset and the account editor. The rules are the bank's; this file asks the
// questions and writes the captions.
#include "bank/Accounts.h"
#include "bank/frmAccount/AccountWindow.h"
#include "ui/Dialogs.h"
#include "ui/Game.h"
#include "ui/frmPoker/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corvanta {

void MainWindow::ShowAccount(const AccountDisplay& display) {
    lblCurrentAccount_->setText(ToQString(display.lblCurrentAccount));
    lblSavings_->setText(ToQString(display.lblSavings));
    ShowStatistics(display);
}

void MainWindow::ShowStatistics(const AccountDisplay& display) {
    lblRoundsWon_->setText(ToQString(display.lblRoundsWon));
    lblRoundsLost_->setText(ToQString(display.lblRoundsLost));
    lblRoundsPlayed_->setText(ToQString(display.lblRoundsPlayed));
    lblAmountWon_->setText(ToQString(display.lblAmountWon));
    lblAmountLost_->setText(ToQString(display.lblAmountLost));
    lblAveGains_->setText(ToQString(display.lblAveGains));
}

void MainWindow::ShowMoney(const MoneyCaptions& captions) {
    lblCurrentCash_->setText(ToQString(captions.lblCurrentCash));
    lblSavings_->setText(ToQString(captions.lblSavings));
    emit tableChanged();
}

void MainWindow::ChangeAccount() {
    Bank& bank = game_.bank;
    const QString typed = AskText(this, ToQString(BankAccessTitle), ToQString(AccountNamePrompt));
    const AccountLookup lookup = FindAccount(bank, typed.toStdString());
    if (lookup.result == LookupResult::BlankName) {
        return;
    }
    if (lookup.result == LookupResult::Found) {
        ShowAccount(SelectAccount(bank, lookup.slot));
        return;
    }
    if (!AskYesNo(this, ToQString(BankAccessTitle), ToQString(CreateAccountQuestion))) {
        return;
    }
    if (IsBankFull(bank)) {
        ShowMessage(this, ToQString(BankAccessTitle), ToQString(BankFullMessage));
        return;
    }
    if (AccountRecord& current = CurrentAccount(bank); IsNameless(current)) {
        const QString name =
            AskText(this, ToQString(BankAccessTitle), ToQString(NameCurrentAccountPrompt),
                    ToQString(NameCurrentAccountDefault));
        NameAccount(current, name.toStdString());
    }
    const CreateOutcome created = CreateAccount(game_.table, bank, typed.toStdString());
    lblCurrentCash_->setText(ToQString(created.lblCurrentCash));
    ShowAccount(created.display);
    emit tableChanged();
}

void MainWindow::ShowTransfer(const TransferOutcome& outcome) {
    if (outcome.status == TransferStatus::Moved) {
        ShowMoney(outcome.captions);
        txtBank_->setText(ToQString(BankBoxAfterTransfer));
    }
    if (outcome.offerLoan) {
        cmdBankLoan_->show();
    }
}

void MainWindow::Deposit(const QString& amountText) {
    ShowTransfer(corvanta::Deposit(game_.table, game_.bank, amountText.toStdString()));
}

void MainWindow::Withdraw(const QString& amountText, bool fromPrompt) {
    ShowTransfer(corvanta::Withdraw(game_.table, game_.bank, amountText.toStdString(),
                                    fromPrompt ? AmountSource::Prompt : AmountSource::BankBox));
}

void MainWindow::TakeLoan() {
    ShowMoney(corvanta::TakeLoan(game_.table, game_.bank));
    cmdBankLoan_->hide();
}

void MainWindow::ClearStatistics() {
    ShowStatistics(corvanta::ClearStatistics(game_.bank));
}

void MainWindow::EditAccount() {
    AccountWindow editor(game_.bank, this);
    connect(&editor, &AccountWindow::accountCaptionChanged, lblCurrentAccount_, &QLabel::setText);
    editor.exec();
}

} // namespace corvanta
