#pragma once
// The game as the windows see it: one Qt object that owns the running game, runs the
// player's commands and tells every window what changed through typed signals, the way a
// board tells its displays (Qt's Tetrix example). Windows connect to these signals and
// present; none writes another window's captions.

#include "game/GameSession.h"

#include <QObject>

#include "engine/ReturnTable.h"

#include <QString>
#include <atomic>
#include <future>
#include <map>
#include <memory>
#include <optional>

namespace corvanta {

class GameModel : public QObject {
    Q_OBJECT
public:
    GameModel(GameFolders folders, RandomSource& random, QObject* parent = nullptr);

    // The start-up (see GameSession::StartUp): every value is announced once.
    void StartUp(CardLibrary& cards);
    // The shutdown (see GameSession::ShutDown): the card library released, the saves. Says
    // what failed.
    std::vector<Notice> ShutDown(CardLibrary& cards);
    // A desktop session's checkpoint or a cancelled logout: everything saved; play goes on.
    void Checkpoint();
    // Waits until the save points of play are on the disk (see GameSession::WaitForSaves).
    void WaitForSaves() { session_.WaitForSaves(); }

    // What the windows read of the table and the bank.
    ShownCard CardShownAt(int slot) const;
    DealStateCode Phase() const { return session_.GetTable().DealState; }
    std::int32_t BetAmount() const { return session_.GetTable().BetAmount; }
    const FiveCards& Hand() const { return session_.GetTable().Hand; }
    const DiscardMarks& Discards() const { return session_.GetTable().Discard; }
    QString AccountName() const; // the current account's, trimmed
    const TrainingSession& Training() const { return session_.Training(); }
    const Game& CurrentGame() const { return session_.CurrentGame(); }
    QString BankFileLine() const; // the debug console's path line

    // The round.
    void Bet(const QString& amountText);
    void Deal();
    void ToggleDiscard(int slot);
    void MarkBestHold();

    // The bank.
    void Deposit(const QString& amountText);
    void Withdraw(const QString& amountText, AmountSource source);
    void TakeLoan();
    void ClearStatistics();
    void ChangeAccount(const GameSession::AskPlayer& ask);
    EditOutcome SaveAccountChanges(const QString& name, const QString& password,
                                   const QString& confirmation);

    // The debug console's record editor: stepping through the records, and the changes, which
    // are saved; only Set As GCNum changes the main window.
    EditorStart StartRecordEditor(RecordEditor& editor) const;
    RecordView ShowCurrentRecord(RecordEditor& editor) const;
    std::optional<RecordView> ShowNextRecord(RecordEditor& editor) const;
    std::optional<RecordView> ShowPreviousRecord(RecordEditor& editor) const;
    std::optional<RecordView> NewRecord(RecordEditor& editor);
    bool SaveRecordChanges(const RecordEditor& editor, const QString& name, const QString& savings);
    std::optional<DeleteOutcome> DeleteRecord(const RecordEditor& editor);
    // Returns the console's summary line for the new current account.
    QString SetAsGCNum(const RecordEditor& editor);

    // A game's analysis, prepared once per game on another thread and kept for the session:
    // the tables its holds are ranked by, then its return table. Each is nothing (false) until
    // it is ready; the first ask starts the work.
    void PrepareAnalysis(const Game& game) const;
    // The chosen game's analysis waits for this, called once the table is first on the screen:
    // started earlier, it takes the second core from the first frame.
    void ReleaseAnalysis();
    bool AnalysisStarted(const Game& game) const { return analyses_.contains(&game); }
    bool HoldsReady(const Game& game) const;
    const GameReturnTable* ReturnTableIfReady(const Game& game) const;

    // The folder the advisor's list was last saved to in this run; empty before.
    const QString& ListFolder() const { return listFolder_; }
    void KeepListFolder(const QString& folder) { listFolder_ = folder; }

    // The advisor window's place as the player left it, kept with the settings.
    const WindowPlace& AdvisorPlace() const { return session_.AdvisorPlace(); }
    void KeepAdvisorPlace(const WindowPlace& place);

    // The game of the rounds to come: refused while dealt cards wait for the draw (see
    // GameSession::SetGame); a change is announced by gameChanged.
    void SetGame(const Game& game);

    // The trainer.
    bool TrainerOn() const { return session_.TrainerOn(); }
    void SetTrainer(bool on);
    // The question to put to the player before this draw, if any (see GameSession).
    std::optional<QString> TrainerQuestionBeforeDraw() const;

    // The main window's place, remembered with the settings (see GameSession).
    const std::optional<MainWindowGeometry>& MainWindowPlace() const {
        return session_.MainWindowPlace();
    }
    void KeepMainWindowPlace(const MainWindowGeometry& place) {
        session_.KeepMainWindowPlace(place);
    }

    // The options window.
    std::int16_t BackInUse() const { return session_.GetTable().CardBG; }
    void ChooseBack(int picture) { session_.ChooseBack(picture); }
    void TakeChosenBack();

signals:
    void cashChanged(qint64 cash);
    void betChanged(qint64 bet);
    // The amount the bet box offers next, after a bet and after a round.
    void betBoxReset(int bet);
    // The amount the bank box shows after money moved.
    void bankBoxReset(int amount);
    // The hand settled last, by its index in the game it was played in; nothing before the
    // first.
    void lastHandChanged(const corvanta::Game& game, std::optional<int> hand);
    void accountNameChanged(const QString& name);
    void savingsChanged(const corvanta::Money& savings);
    void statisticsChanged(const corvanta::AccountStatistics& statistics);
    // The cards on the table, their marks or the round's state changed.
    void handChanged();
    void discardChanged(int slot, bool marked);
    void phaseChanged(corvanta::DealStateCode phase);
    void loanOffered(bool shown);
    // A draw was settled: what the engine saw, for the debug console and the advisor.
    void roundSettled(const corvanta::DealReport& report);
    // The game played: at the start-up, and when the player chose another (between rounds).
    void gameChanged(const corvanta::Game& game);
    // A message box the player must see.
    void noticeRaised(const corvanta::Notice& notice);

private:
    void ShowAccount(const AccountFigures& account);
    void ShowMarks(const DiscardMarks& changed);
    // Says what the last command's save could not do.
    void ReportNotices();
    void ShowTransfer(const TransferOutcome& outcome);

    struct Analysis {
        std::shared_ptr<std::atomic<bool>> holdsReady;
        std::shared_future<GameReturnTable> returnTable;
    };
    const Analysis& AnalysisOf(const Game& game) const;

    GameSession session_;
    mutable std::map<const Game*, Analysis> analyses_;
    QString listFolder_;
    bool analysisReleased_ = false;
};

} // namespace corvanta
