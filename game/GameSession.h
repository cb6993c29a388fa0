#pragma once
// The running game without its windows: the table, the bank and the settings, read at
// start-up in their order, changed by the player's commands, and written back. Every command
// of the windows comes through here and returns what happened; the windows present it.

#include "bank/AccountEditor.h"
#include "bank/AccountTable.h"
#include "bank/Accounts.h"
#include "bank/ChangeAccount.h"
#include "bank/RecordEditor.h"
#include "engine/Advisor.h"
#include "engine/Game.h"
#include "engine/Round.h"
#include "engine/Table.h"
#include "engine/Trainer.h"
#include "settings/Settings.h"
#include "storage/BackgroundSaver.h"
#include "storage/SaveJournal.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvanta {

struct GameFolders {
    std::string bank;   // where gbank.db lives (see ChooseBankFolder)
    std::string config; // the per-user settings folder ($XDG_CONFIG_HOME)
    std::string note{}; // why the bank is not where the player might look for it, if so
    // A single-copy lock that could not be taken (see SingleCopy): another copy could be
    // using the same files unseen, so this game writes nothing and says why.
    SaveResult lockProblem{};
};

// A message box the player must see: its title and its text (two lines joined by "\r").
struct Notice {
    std::string title;
    std::string text;

    bool operator==(const Notice&) const = default;
};

// What the start-up found; no hand is played yet.
struct StartUpFigures {
    std::int64_t cash = 0;  // the cash on hand as the settings kept it
    AccountFigures account; // the name is the one the bank load found
};

// What a Deal press did, with what the windows show after it.
struct DealReport {
    DealOutcome outcome;          // after a draw: the settlement says the hand and the pay
    AccountStatistics statistics; // after a draw: the current account's statistics
    bool offerLoan = false;       // after a draw: show the loan button
    TrainedRound round;           // after a draw: the discards against the best hold
};

// The card library, outside the core: it is made ready before the game's files are read, so
// the table has its card pictures from its first paint, and released before they are saved.
class CardLibrary {
public:
    virtual ~CardLibrary() = default;
    virtual void Open() = 0;
    virtual void Close() = 0;
};

class GameSession {
public:
    GameSession(GameFolders folders, RandomSource& random);

    // The start-up: the card library is made ready, then a save cut short is completed, then
    // the settings, the table and the bank are read. Without a library, the reading alone.
    StartUpFigures StartUp(CardLibrary& cards);
    StartUpFigures StartUp();
    // The shutdown: the card library is released, then the bank and the settings are saved
    // and flushed to the disk. What could not be saved is said, titled "Corvanta - Exit".
    std::vector<Notice> ShutDown(CardLibrary& cards);
    std::vector<Notice> ShutDown();
    // A desktop session's checkpoint: saved and flushed as at the end; play goes on.
    void Checkpoint();
    // Waits until the save points of play are on the disk (see BackgroundSaver); the
    // checkpoint and the shutdown wait so, and a test that reads the files.
    void WaitForSaves();
    // For the kill tests: run on the saving thread before each save, so that kills land while
    // save points wait for the disk.
    void BeforeEachSave(std::function<void()> pause);

    // What the player must be told since the last call: a save that failed during play
    // (titled "Corvanta - Save", said once until a save succeeds again). A save point is
    // written to the disk in the background, so a failure there is told at the first call
    // after it.
    std::vector<Notice> TakeNotices();

    const Table& GetTable() const { return table_; }
    const Bank& GetBank() const { return bank_; }
    const TrainingSession& Training() const { return training_; }
    // The game being played: the classic unless the player chose another.
    const Game& CurrentGame() const { return *game_; }
    // Chooses the game of the rounds to come, remembered with the settings. Refused (false)
    // while dealt cards wait for the draw: a round is dealt, advised and paid by one game.
    bool SetGame(const Game& game);
    // The current account's name, trimmed, as the account editor starts from it.
    std::string AccountName() const;
    std::string BankFile() const; // the bank's path
    // The debug console's path line: the bank's path, and the note on where it is.
    std::string BankFileLine() const;

    // The round.
    BetOutcome Bet(std::string_view amountText);
    DealReport Deal();
    bool ToggleDiscard(int slot);
    // The trainer: on or off (remembered with the settings). With it on, a draw whose marks
    // return less than the best hold is put to the player first (TrainerTitle); this is the
    // advice to show then, and nothing when the draw goes ahead without a question.
    bool TrainerOn() const { return trainer_; }
    void SetTrainer(bool on);
    std::optional<DrawAdvice> DrawNeedsConfirmation() const;
    // The question itself (TrainerQuestion), when there is one.
    std::optional<std::string> TrainerQuestionBeforeDraw() const;
    // Mark Best Hold: between the deal and the draw, the marks become those of the best hold
    // (RankHolds' first); returns the slots whose mark changed (none at any other time).
    DiscardMarks MarkBestHold();

    // The bank.
    TransferOutcome Deposit(std::string_view amountText);
    TransferOutcome Withdraw(std::string_view amountText, AmountSource source);
    CashAndSavings TakeLoan();
    AccountStatistics ClearStatistics();
    // Change Account: `ask` puts each question to the player and returns the answer.
    using AskPlayer = std::function<Answer(const Question&)>;
    AccountChange ChangeAccount(const AskPlayer& ask);
    EditOutcome SaveAccountChanges(std::string_view name, std::string_view password,
                                   std::string_view confirmation);

    // The debug console's record editor.
    EditorStart StartRecordEditor(RecordEditor& editor) const;
    RecordView ShowCurrentRecord(RecordEditor& editor) const;
    std::optional<RecordView> ShowNextRecord(RecordEditor& editor) const;
    std::optional<RecordView> ShowPreviousRecord(RecordEditor& editor) const;
    std::optional<RecordView> NewRecord(RecordEditor& editor);
    bool SaveRecordChanges(const RecordEditor& editor, std::string_view name,
                           std::string_view savings);
    CurrentAccountChange SetAsGCNum(const RecordEditor& editor);
    std::optional<DeleteOutcome> DeleteRecord(const RecordEditor& editor);

    // The advisor window's place as the player left it, kept with the settings at the next
    // save point; unknown until it has been placed.
    const WindowPlace& AdvisorPlace() const { return advisorPlace_; }
    void KeepAdvisorPlace(const WindowPlace& place);
    // The main window's place on the desktop, remembered with the settings: nothing until the
    // player has placed it (see MainWindowGeometry).
    const std::optional<MainWindowGeometry>& MainWindowPlace() const { return mainWindow_; }
    void KeepMainWindowPlace(const MainWindowGeometry& place) { mainWindow_ = place; }

    // The options window's choice of back, taken when it closes.
    void ChooseBack(int picture);
    void TakeChosenBack();

private:
    // The start-up's reading of each file; what went wrong is said.
    void RecoverLastSave();
    void SayRecovery(const JournalRecovery& recovery);
    void ReadSettings();
    void KeepAsideSettings(const std::string& path);
    void ReadBank();
    // The cash on hand and the current account's savings: the trainer's bankroll.
    std::int64_t Bankroll() const;
    // The save point after every command that changed the money, an account or a setting:
    // the bank and the settings are saved together (see storage/SaveJournal.h), so a game
    // killed at any moment starts again from both as they were at its last save point. The
    // interface thread writes what a kill keeps; the saver's thread waits for the disk.
    void Changed();
    SaveResult SaveBoth(JournalEnd end);
    // The saver's results since the last call, said as a failed save point is said.
    void ReportSaves();
    void Report(const SaveResult& result);
    std::string JournalPath() const;
    Notice SaveFailure(std::string title, const SaveResult& result) const;

    GameFolders folders_;
    RandomSource& random_;
    Table table_;
    Bank bank_;
    TrainingSession training_; // this session's rounds, graded; nothing of it is saved
    bool trainer_ = false;
    std::optional<MainWindowGeometry> mainWindow_;
    const Game* game_ = &Classic;
    // The settings' Game value to save: the game's name once it was read or chosen, and
    // nothing while the file holds a name of no game, which stays there untouched.
    std::string gameSetting_;
    WindowPlace advisorPlace_;
    bool settingsReadable_ = true; // an unreadable settings file is left alone
    bool saveFailureShown_ = false;
    bool savesOff_ = false; // after the shutdown, or when the last save could not be completed
    bool journalFolderMade_ = false;
    std::vector<Notice> notices_;
    BackgroundSaver saver_; // last: its thread ends before anything else goes
};

} // namespace corvanta
