#pragma once
// The game as the windows see it: one Qt object that owns the running game, runs the
// player's commands and tells every window what changed through typed signals, the way a
// board tells its displays (Qt's Tetrix example). Windows connect to these signals and
// present; none writes another window's captions.

#include "game/GameSession.h"

#include <QObject>

#include <QString>
#include <future>

namespace corvanta {

class GameModel : public QObject {
    Q_OBJECT
public:
    GameModel(GameFolders folders, RandomSource& random, QObject* parent = nullptr);

    // The start-up after the card library is ready: every caption is announced once.
    void StartUp();
    // The shutdown after the card library is released: the saves. Says what failed.
    std::vector<Notice> ShutDown();
    // A desktop session's checkpoint or a cancelled logout: everything saved; play goes on.
    void Checkpoint();

    const Table& GetTable() const { return session_.GetTable(); }
    const Bank& GetBank() const { return session_.GetBank(); }
    const TrainingSession& Training() const { return session_.Training(); }
    QString BankFileLine() const; // the debug console's path line

    // The round.
    void Bet(const QString& amountText);
    void Deal();
    void ToggleDiscard(int slot);

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
    const GameSession& Records() const { return session_; }
    std::optional<RecordView> NewRecord(RecordEditor& editor);
    bool SaveRecordChanges(const RecordEditor& editor, const QString& name, const QString& savings);
    std::optional<DeleteOutcome> DeleteRecord(const RecordEditor& editor);
    // Returns the console's summary line for the new current account.
    QString SetAsGCNum(const RecordEditor& editor);

    // The game's return table, computed once per game on another thread; nothing until it is
    // ready (the first call starts it).
    const ReturnTable* ReturnTableIfReady() const;

    // The trainer.
    bool TrainerOn() const { return session_.TrainerOn(); }
    void SetTrainer(bool on);
    std::optional<DrawAdvice> DrawNeedsConfirmation() const {
        return session_.DrawNeedsConfirmation();
    }

    // The options window.
    void ChooseBack(int picture) { session_.ChooseBack(picture); }
    void TakeChosenBack();

signals:
    void cashChanged(const QString& lblCurrentCash);
    void betChanged(const QString& lblBetAmount);
    void betBoxReset(const QString& txtBet);
    void bankBoxReset(const QString& txtBank);
    void lastHandChanged(const QString& lblLastHand);
    void accountNameChanged(const QString& lblCurrentAccount);
    void savingsChanged(const QString& lblSavings);
    void statisticsChanged(const corvanta::AccountDisplay& display);
    // The cards on the table, their marks or the round's state changed.
    void handChanged();
    void discardChanged(int slot, bool marked);
    void commandsChanged(const corvanta::PermittedCommands& permitted);
    void loanOffered(bool shown);
    // A draw was settled: what the engine saw, for the debug console and the advisor.
    void roundSettled(const corvanta::DealReport& report);
    // A message box the player must see.
    void noticeRaised(const corvanta::Notice& notice);

private:
    void ShowAccount(const AccountDisplay& display);
    // Says what the last command's save could not do.
    void ReportNotices();
    void ShowTransfer(const TransferOutcome& outcome);

    GameSession session_;
    mutable std::shared_future<ReturnTable> returnTable_;
};

} // namespace corvanta
