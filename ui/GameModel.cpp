#include "ui/GameModel.h"

#include "ui/Dialogs.h"

#include <algorithm>

namespace corvanta {

GameModel::GameModel(GameFolders folders, RandomSource& random, QObject* parent)
    : QObject(parent), session_(std::move(folders), random) {
    // A game chosen is a game about to be advised and trained: its analysis starts at once,
    // once the table is on the screen (see ReleaseAnalysis).
    connect(this, &GameModel::gameChanged, this, [this](const Game& game) {
        if (analysisReleased_) {
            PrepareAnalysis(game);
        }
    });
}

void GameModel::ReleaseAnalysis() {
    if (!analysisReleased_) {
        analysisReleased_ = true;
        PrepareAnalysis(CurrentGame());
    }
}

QString GameModel::BankFileLine() const {
    return ToQString(session_.BankFileLine());
}

QString GameModel::AccountName() const {
    return ToQString(session_.AccountName());
}

ShownCard GameModel::CardShownAt(int slot) const {
    return corvanta::CardShownAt(session_.GetTable(), slot);
}

std::optional<QString> GameModel::TrainerQuestionBeforeDraw() const {
    if (const auto question = session_.TrainerQuestionBeforeDraw()) {
        return ToQString(*question);
    }
    return std::nullopt;
}

void GameModel::StartUp(CardLibrary& cards) {
    const StartUpFigures figures = session_.StartUp(cards);
    emit cashChanged(figures.cash);
    emit gameChanged(CurrentGame());
    emit lastHandChanged(CurrentGame(), std::nullopt);
    ShowAccount(figures.account);
    emit phaseChanged(Phase());
    emit handChanged();
    ReportNotices();
}

std::vector<Notice> GameModel::ShutDown(CardLibrary& cards) {
    return session_.ShutDown(cards);
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

void GameModel::ShowAccount(const AccountFigures& account) {
    emit accountNameChanged(ToQString(account.name));
    emit savingsChanged(account.savings);
    emit statisticsChanged(account.statistics);
}

void GameModel::Bet(const QString& amountText) {
    const BetOutcome outcome = session_.Bet(amountText.toStdString());
    if (outcome.status == BetStatus::Refused) {
        emit noticeRaised(
            {std::string(PlaceBetTitle), BetRefusal(MoneyText({outcome.shortfall}).toStdString())});
    }
    if (outcome.status != BetStatus::Accepted) {
        return;
    }
    emit betChanged(BetAmount());
    emit cashChanged(session_.GetTable().CashOnHand);
    emit betBoxReset(BetBoxAfterBet);
    if (outcome.openedRound) {
        emit phaseChanged(Phase());
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
        emit lastHandChanged(CurrentGame(), report.outcome.settlement.hand);
        emit betBoxReset(BetBoxAfterBet);
        emit cashChanged(session_.GetTable().CashOnHand);
        emit betChanged(BetAmount());
        emit statisticsChanged(report.statistics);
        emit roundSettled(report);
        if (report.offerLoan) {
            emit loanOffered(true);
        }
    }
    emit phaseChanged(Phase());
    ReportNotices();
}

void GameModel::ToggleDiscard(int slot) {
    if (session_.ToggleDiscard(slot)) {
        DiscardMarks changed{};
        changed[slot] = true;
        ShowMarks(changed);
    }
}

void GameModel::MarkBestHold() {
    ShowMarks(session_.MarkBestHold());
}

void GameModel::ShowMarks(const DiscardMarks& changed) {
    if (std::find(changed.begin(), changed.end(), true) == changed.end()) {
        return;
    }
    for (int slot = 0; slot < HandSize; ++slot) {
        if (changed[slot]) {
            emit discardChanged(slot, Discards()[slot]);
        }
    }
    emit handChanged();
}

void GameModel::ShowTransfer(const TransferOutcome& outcome) {
    if (outcome.status == TransferStatus::Moved) {
        emit cashChanged(outcome.money.cash);
        emit savingsChanged(Money{outcome.money.savings});
        emit bankBoxReset(TransferAmountAfterMove);
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
    const CashAndSavings money = session_.TakeLoan();
    emit cashChanged(money.cash);
    emit savingsChanged(Money{money.savings});
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
        emit cashChanged(change.cash);
    }
    if (change.result != AccountChange::Result::Unchanged) {
        ShowAccount(change.account);
    }
    ReportNotices();
}

EditOutcome GameModel::SaveAccountChanges(const QString& name, const QString& password,
                                          const QString& confirmation) {
    EditOutcome outcome = session_.SaveAccountChanges(name.toStdString(), password.toStdString(),
                                                      confirmation.toStdString());
    if (outcome.status == EditStatus::Saved) {
        emit accountNameChanged(ToQString(outcome.storedName));
    }
    ReportNotices();
    return outcome;
}

namespace {

// The tables behind a game's advice, then its return table; `holdsReady` says when the first
// part is done.
GameReturnTable AnalyseGame(const Game* game, std::shared_ptr<std::atomic<bool>> holdsReady) {
    RankHolds(*game, FiveCards{0, 1, 2, 3, 4}); // builds the game's tables, kept for the run
    holdsReady->store(true);
    return ComputeGameReturnTable(*game);
}

bool Ready(const std::shared_future<GameReturnTable>& future) {
    const std::future_status status = future.wait_for(std::chrono::seconds(0));
    if (status == std::future_status::deferred) {
        future.wait(); // no other thread: done here, once
        return true;
    }
    return status == std::future_status::ready;
}

} // namespace

const GameModel::Analysis& GameModel::AnalysisOf(const Game& game) const {
    if (const auto known = analyses_.find(&game); known != analyses_.end()) {
        return known->second;
    }
    Analysis analysis{std::make_shared<std::atomic<bool>>(false), {}};
    try {
        analysis.returnTable =
            std::async(std::launch::async, AnalyseGame, &game, analysis.holdsReady).share();
    } catch (const std::exception&) {
        // No thread to be had: the analysis is done here when it is first needed, once.
        analysis.returnTable =
            std::async(std::launch::deferred, AnalyseGame, &game, analysis.holdsReady).share();
    }
    return analyses_.emplace(&game, std::move(analysis)).first->second;
}

void GameModel::PrepareAnalysis(const Game& game) const {
    AnalysisOf(game);
}

bool GameModel::HoldsReady(const Game& game) const {
    if (game.deck == DeckRule::FullDeckEachCard) {
        return true; // its table takes well under a millisecond, on first use
    }
    const Analysis& analysis = AnalysisOf(game);
    return analysis.holdsReady->load() || Ready(analysis.returnTable);
}

const GameReturnTable* GameModel::ReturnTableIfReady(const Game& game) const {
    const Analysis& analysis = AnalysisOf(game);
    if (!Ready(analysis.returnTable)) {
        return nullptr;
    }
    return &analysis.returnTable.get();
}

void GameModel::TakeChosenBack() {
    session_.TakeChosenBack();
    ReportNotices();
}

void GameModel::SetGame(const Game& game) {
    const Game& before = CurrentGame();
    if (session_.SetGame(game) && &before != &game) {
        emit gameChanged(game);
    }
    ReportNotices();
}

void GameModel::KeepAdvisorPlace(const WindowPlace& place) {
    session_.KeepAdvisorPlace(place);
}

void GameModel::SetTrainer(bool on) {
    session_.SetTrainer(on);
    ReportNotices();
}

EditorStart GameModel::StartRecordEditor(RecordEditor& editor) const {
    return session_.StartRecordEditor(editor);
}

RecordView GameModel::ShowCurrentRecord(RecordEditor& editor) const {
    return session_.ShowCurrentRecord(editor);
}

std::optional<RecordView> GameModel::ShowNextRecord(RecordEditor& editor) const {
    return session_.ShowNextRecord(editor);
}

std::optional<RecordView> GameModel::ShowPreviousRecord(RecordEditor& editor) const {
    return session_.ShowPreviousRecord(editor);
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
    if (stored && editor.RecordIndex == session_.GetBank().GCNum) {
        ShowAccount(
            FiguresOf(CurrentAccount(session_.GetBank()))); // not the record before the save
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
    emit accountNameChanged(ToQString(change.name));
    emit savingsChanged(change.savings);
    ReportNotices();
    return ToQString(change.summary);
}

} // namespace corvanta
