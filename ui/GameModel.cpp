#include "ui/GameModel.h"

#include "engine/Format.h"
#include "ui/Dialogs.h"

namespace corvanta {
namespace {

QString Money(std::int64_t value) {
    return ToQString(MoneyText(value));
}

} // namespace

GameModel::GameModel(GameFolders folders, RandomSource& random, QObject* parent)
    : QObject(parent), session_(std::move(folders), random) {}

QString GameModel::BankFileLine() const {
    return ToQString(session_.BankFileLine());
}

void GameModel::StartUp() {
    const StartupCaptions captions = session_.StartUp();
    emit cashChanged(ToQString(captions.lblCurrentCash));
    emit lastHandChanged(ToQString(captions.lblLastHand));
    ShowAccount(captions.account);
    emit commandsChanged(Permitted(GetTable()));
    emit handChanged();
    ReportNotices();
}

std::vector<Notice> GameModel::ShutDown() {
    return session_.ShutDown();
}

void GameModel::Checkpoint() {
    session_.Checkpoint();
    ReportNotices();
}

void GameModel::ReportNotices() {
    for (const Notice& notice : session_.TakeNotices()) {
        emit noticeRaised(notice);
    }
}

void GameModel::ShowAccount(const AccountDisplay& display) {
    emit accountNameChanged(ToQString(display.lblCurrentAccount));
    emit savingsChanged(ToQString(display.lblSavings));
    emit statisticsChanged(display);
}

void GameModel::Bet(const QString& amountText) {
    const BetOutcome outcome = session_.Bet(amountText.toStdString());
    if (outcome.status == BetStatus::Refused) {
        emit noticeRaised({std::string(PlaceBetTitle), outcome.message});
    }
    if (outcome.status != BetStatus::Accepted) {
        return;
    }
    emit betChanged(Money(GetTable().BetAmount));
    emit cashChanged(Money(GetTable().CashOnHand));
    emit betBoxReset(ToQString(BetBoxAfterBet));
    if (outcome.openedRound) {
        emit commandsChanged(Permitted(GetTable()));
        emit handChanged(); // the last round's cards turn face down
    }
    ReportNotices();
}

void GameModel::Deal() {
    const DealReport report = session_.Deal();
    if (report.outcome.step == DealStep::Ignored) {
        return;
    }
    for (int slot = 0; slot < HandSize; ++slot) {
        emit discardChanged(slot, false);
    }
    emit handChanged();
    if (report.outcome.step == DealStep::Drew) {
        emit lastHandChanged(ToQString(report.lblLastHand));
        emit betBoxReset(ToQString(BetBoxAfterBet));
        emit cashChanged(Money(GetTable().CashOnHand));
        emit betChanged(Money(GetTable().BetAmount));
        emit statisticsChanged(report.statistics);
        emit roundSettled(report);
        if (report.offerLoan) {
            emit loanOffered(true);
        }
    }
    emit commandsChanged(Permitted(GetTable()));
    ReportNotices();
}

void GameModel::ToggleDiscard(int slot) {
    if (session_.ToggleDiscard(slot)) {
        emit discardChanged(slot, GetTable().Discard[slot]);
        emit handChanged();
    }
}

void GameModel::ShowTransfer(const TransferOutcome& outcome) {
    if (outcome.status == TransferStatus::Moved) {
        emit cashChanged(ToQString(outcome.captions.lblCurrentCash));
        emit savingsChanged(ToQString(outcome.captions.lblSavings));
        emit bankBoxReset(ToQString(BankBoxAfterTransfer));
    }
    if (outcome.offerLoan) {
        emit loanOffered(true);
    }
    ReportNotices();
}

void GameModel::Deposit(const QString& amountText) {
    ShowTransfer(session_.Deposit(amountText.toStdString()));
}

void GameModel::Withdraw(const QString& amountText, AmountSource source) {
    ShowTransfer(session_.Withdraw(amountText.toStdString(), source));
}

void GameModel::TakeLoan() {
    const MoneyCaptions captions = session_.TakeLoan();
    emit cashChanged(ToQString(captions.lblCurrentCash));
    emit savingsChanged(ToQString(captions.lblSavings));
    emit loanOffered(false);
    ReportNotices();
}

void GameModel::ClearStatistics() {
    emit statisticsChanged(session_.ClearStatistics());
    ReportNotices();
}

void GameModel::ChangeAccount(const GameSession::AskPlayer& ask) {
    const AccountChange change = session_.ChangeAccount(ask);
    if (change.result == AccountChange::Result::Created) {
        emit cashChanged(ToQString(change.lblCurrentCash));
    }
    if (change.result != AccountChange::Result::Unchanged) {
        ShowAccount(change.display);
    }
    ReportNotices();
}

EditOutcome GameModel::SaveAccountChanges(const QString& name, const QString& password,
                                          const QString& confirmation) {
    EditOutcome outcome = session_.SaveAccountChanges(name.toStdString(), password.toStdString(),
                                                      confirmation.toStdString());
    if (outcome.status == EditStatus::Saved) {
        emit accountNameChanged(ToQString(outcome.accountCaption));
    }
    ReportNotices();
    return outcome;
}

const ReturnTable* GameModel::ReturnTableIfReady() const {
    try {
        if (!returnTable_.valid()) {
            returnTable_ = std::async(std::launch::async, ComputeReturnTable).share();
        }
        if (returnTable_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            return nullptr;
        }
        return &returnTable_.get();
    } catch (const std::exception&) {
        // No thread to be had, or no memory for the tables: computed here instead, once.
        returnTable_ = std::async(std::launch::deferred, ComputeReturnTable).share();
        return &returnTable_.get();
    }
}

void GameModel::TakeChosenBack() {
    session_.TakeChosenBack();
    ReportNotices();
}

void GameModel::SetTrainer(bool on) {
    session_.SetTrainer(on);
    ReportNotices();
}

std::optional<RecordView> GameModel::NewRecord(RecordEditor& editor) {
    auto view = session_.NewRecord(editor);
    ReportNotices();
    return view;
}

bool GameModel::SaveRecordChanges(const RecordEditor& editor, const QString& name,
                                  const QString& savings) {
    const bool stored =
        session_.SaveRecordChanges(editor, name.toStdString(), savings.toStdString());
    if (stored && editor.RecordIndex == GetBank().GCNum) {
        ShowAccount(DisplayAccount(CurrentAccount(GetBank()))); // not the record before the save
    }
    ReportNotices();
    return stored;
}

std::optional<DeleteOutcome> GameModel::DeleteRecord(const RecordEditor& editor) {
    auto outcome = session_.DeleteRecord(editor);
    ReportNotices();
    return outcome;
}

QString GameModel::SetAsGCNum(const RecordEditor& editor) {
    const CurrentAccountChange change = session_.SetAsGCNum(editor);
    emit accountNameChanged(ToQString(change.lblCurrentAccount));
    emit savingsChanged(ToQString(change.lblSavings));
    ReportNotices();
    return ToQString(change.txtDebug);
}

} // namespace corvanta
