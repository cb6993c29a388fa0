#include "game/GameSession.h"

#include "bank/BankFile.h"
#include "bank/Statistics.h"
#include "engine/AdviceText.h"
#include "settings/Settings.h"
#include "settings/basRegistry.h"
#include "storage/DecimalText.h"
#include "storage/Folders.h"

#include <cerrno>
#include <utility>

namespace corvanta {
namespace {

static_assert(DefaultSettings.CardBG == DefaultBack, "a first run's back is the deck's default");

constexpr std::string_view SaveTitle = "Corvanta - Save";
constexpr std::string_view BankTitle = "Corvanta - Bank";
constexpr std::string_view SettingsTitle = "Corvanta - Settings";
constexpr std::string_view ExitTitle = "Corvanta - Exit";

} // namespace

GameSession::GameSession(GameFolders folders, RandomSource& random)
    : folders_(std::move(folders)), random_(random), saver_(JournalPath()) {}

std::string GameSession::BankFile() const {
    return BankFilePath(folders_.bank);
}

std::string GameSession::BankFileLine() const {
    return folders_.note.empty() ? BankFile() : BankFile() + " (" + folders_.note + ")";
}

std::string GameSession::JournalPath() const {
    return FolderOf(SettingsFilePath(folders_.config)) + "/save.journal";
}

StartUpFigures GameSession::StartUp(CardLibrary& cards) {
    cards.Open();
    return StartUp();
}

StartUpFigures GameSession::StartUp() {
    if (!folders_.lockProblem.ok) {
        savesOff_ = true; // nothing is written, not even a journal completed or set aside
        notices_.push_back({std::string(SaveTitle),
                            "The lock " + folders_.lockProblem.path + " could not be taken:\r" +
                                folders_.lockProblem.reason +
                                ". Another copy of the game might be using the same files, so "
                                "this game saves nothing."});
    } else {
        RecoverLastSave();
    }
    ReadSettings();
    StartUpFigures figures;
    figures.cash = table_.CashOnHand;
    ResetTable(table_);
    ReadBank();
    figures.account = FiguresOf(CurrentAccount(bank_));
    figures.account.name = bank_.CurrentAccountName;
    training_.Start(Bankroll());
    return figures;
}

void GameSession::RecoverLastSave() {
    for (const JournalRecovery& recovery :
         RecoverJournals(JournalPath(), {BankFile(), SettingsFilePath(folders_.config)})) {
        SayRecovery(recovery);
    }
}

void GameSession::SayRecovery(const JournalRecovery& recovery) {
    using Outcome = JournalRecovery::Outcome;
    const std::string notDone = "The last save was not completed from " + recovery.journal + ":\r";
    switch (recovery.outcome) {
    case Outcome::None:
    case Outcome::Completed:
        return;
    case Outcome::SetAside:
        notices_.push_back({std::string(SaveTitle),
                            notDone + recovery.why +
                                ". The bank and the settings are kept as they are, and the "
                                "journal as " +
                                recovery.keptAs + "."});
        return;
    case Outcome::Stuck:
        savesOff_ = true; // a save would have to write its journal where that one stands
        notices_.push_back({std::string(SaveTitle),
                            notDone + recovery.why + ". It could not be set aside either (" +
                                recovery.problem.reason + "), so this game saves nothing."});
        return;
    case Outcome::Unfinished:
        // The journal holds the last save, newer than the files: it stays for a later start,
        // and this game saves nothing over it.
        savesOff_ = true;
        notices_.push_back({std::string(SaveTitle),
                            "The last save could not be completed in " + recovery.problem.path +
                                ":\r" + recovery.problem.reason +
                                ". It is kept for the next start; this game saves nothing."});
        return;
    }
}

void GameSession::ReadSettings() {
    const SettingsLoad load = LoadSettings(folders_.config);
    settingsReadable_ = load.problem.ok;
    if (load.notUnderstood && savesOff_) {
        settingsReadable_ = false; // nothing is written, the file not even moved
        notices_.push_back({std::string(SettingsTitle),
                            "The settings in " + load.path +
                                " could not be understood:\rthe game starts from its defaults "
                                "and leaves the file alone."});
    } else if (load.notUnderstood) {
        KeepAsideSettings(load.path);
    }
    if (!load.problem.ok) {
        notices_.push_back({std::string(SettingsTitle),
                            "The settings could not be read from " + load.problem.path + ":\r" +
                                load.problem.reason +
                                ". The game starts from its defaults and leaves the file alone."});
    }
    const StoredSettings& settings = load.values;
    // A number that names no back would leave the table with no cards drawn.
    table_.CardBG = IsBack(settings.CardBG) ? settings.CardBG : DefaultSettings.CardBG;
    bank_.GCNum = settings.GCNum;
    table_.CashOnHand = settings.CashOnHand;
    table_.OptionsCardBG = table_.CardBG;
    trainer_ = settings.trainer;
    const Game* stored = FindGame(load.game);
    game_ = stored != nullptr ? stored : &Classic;
    gameSetting_ = stored != nullptr ? load.game : std::string();
    advisorPlace_ = settings.advisor;
    mainWindow_ = settings.mainWindow;
}

void GameSession::KeepAsideSettings(const std::string& path) {
    const KeptAside kept = KeepSettingsAside(folders_.config);
    if (!kept.result.ok) {
        settingsReadable_ = false; // never saved over: its values would be lost
        notices_.push_back({std::string(SettingsTitle),
                            "The settings in " + path + " could not be understood:\r" +
                                "they could not be kept aside either (" + kept.result.reason +
                                "), so the game leaves the file alone and starts from its "
                                "defaults."});
        return;
    }
    notices_.push_back({std::string(SettingsTitle),
                        "The settings in " + path + " could not be understood:\rthey are kept in " +
                            kept.keptAs + ", and the game starts from its defaults."});
}

void GameSession::ReadBank() {
    if (const SaveResult folder = CreateFolders(folders_.bank); !folder.ok) {
        LoadBank(bank_, folders_.bank); // the Default account, to play with
        bank_.loadError = ENOTDIR;      // and nothing to save it into
        notices_.push_back({std::string(BankTitle),
                            "The bank's folder could not be made at " + folder.path + ":\r" +
                                folder.reason + ". You may play on; the accounts are not saved."});
        return;
    }
    if (const SaveResult loaded = LoadBank(bank_, folders_.bank); !loaded.ok) {
        notices_.push_back(
            {std::string(BankTitle), "The bank could not be read from " + loaded.path + ":\r" +
                                         loaded.reason +
                                         ". You may play on; the game leaves the file as it is."});
    }
}

std::vector<Notice> GameSession::ShutDown(CardLibrary& cards) {
    cards.Close();
    return ShutDown();
}

std::vector<Notice> GameSession::ShutDown() {
    if (savesOff_) {
        return TakeNotices();
    }
    savesOff_ = true; // a command after the end must not save over the last save
    const SaveResult saved = SaveBoth(JournalEnd::Closed);
    std::vector<Notice> notices = TakeNotices(); // the saves of play come first
    if (!saved.ok) {
        notices.push_back(SaveFailure(std::string(ExitTitle), saved));
    }
    return notices;
}

void GameSession::Checkpoint() {
    if (savesOff_) {
        return;
    }
    const SaveResult saved = SaveBoth(JournalEnd::Closed);
    ReportSaves();
    if (!saved.ok) {
        notices_.push_back(SaveFailure(std::string(SaveTitle), saved));
    }
}

void GameSession::WaitForSaves() {
    saver_.Wait();
}

void GameSession::BeforeEachSave(std::function<void()> pause) {
    saver_.BeforeEachSave(std::move(pause));
}

std::vector<Notice> GameSession::TakeNotices() {
    ReportSaves();
    return std::exchange(notices_, {});
}

void GameSession::Changed() {
    if (savesOff_) {
        return;
    }
    ReportSaves();
    if (const SaveResult handed = SaveBoth(JournalEnd::Kept); !handed.ok) {
        Report(handed); // not even the pending journal could be written
    }
}

void GameSession::ReportSaves() {
    for (const SaveResult& result : saver_.TakeResults()) {
        Report(result);
    }
}

void GameSession::Report(const SaveResult& result) {
    if (result.ok) {
        saveFailureShown_ = false;
    } else if (!saveFailureShown_) {
        saveFailureShown_ = true; // said once; again only after a save has worked in between
        notices_.push_back(SaveFailure(std::string(SaveTitle), result));
    }
}

// Kept: handed to the saver, which returns once the pending journal is written. Closed: after
// the saves handed over, saved and flushed on this thread.
SaveResult GameSession::SaveBoth(JournalEnd end) {
    std::vector<FileImage> files;
    // A file the game could not read at start-up is left as it is; the player was told.
    if (std::optional<FileImage> bank = BankImage(bank_, folders_.bank)) {
        files.push_back(std::move(*bank));
    }
    if (settingsReadable_) {
        SettingsFile settings = SettingsImage(
            folders_.config,
            {table_.CardBG, bank_.GCNum, table_.CashOnHand, trainer_, mainWindow_, advisorPlace_},
            gameSetting_);
        if (!settings.result.ok) {
            return settings.result;
        }
        files.push_back(std::move(settings.image));
    }
    // The journal's folder is made by the first save; later ones make it only when it went.
    // Under a busy disk even a mkdir that finds the folder waits for the file system.
    if (end == JournalEnd::Kept && journalFolderMade_) {
        if (SaveResult handed = saver_.Save(files); handed.ok) {
            return handed;
        }
    }
    if (SaveResult folder = CreateFolders(FolderOf(JournalPath())); !folder.ok) {
        return folder;
    }
    journalFolderMade_ = true;
    return end == JournalEnd::Kept ? saver_.Save(std::move(files)) : saver_.SaveAndClose(files);
}

Notice GameSession::SaveFailure(std::string title, const SaveResult& result) const {
    const std::string what = result.path == BankFilePath(folders_.bank)         ? "The bank"
                             : result.path == SettingsFilePath(folders_.config) ? "The settings"
                                                                                : "The game";
    return {std::move(title),
            what + " could not be saved to " + result.path + ":\r" + result.reason};
}

BetOutcome GameSession::Bet(std::string_view amountText) {
    const BetOutcome outcome = PlaceBet(table_, ConvertAmount(amountText));
    if (outcome.status == BetStatus::Accepted) {
        Changed();
    }
    return outcome;
}

DealReport GameSession::Deal() {
    DealReport report;
    report.outcome = DealCommand(*game_, table_, random_);
    if (report.outcome.step != DealStep::Drew) {
        return report;
    }
    AccountRecord& account = CurrentAccount(bank_);
    RecordRound(account, report.outcome.settlement);
    report.statistics = StatisticsOf(account);
    report.offerLoan = ShouldOfferLoan(table_, account);
    report.round = training_.Record(*game_, report.outcome.dealtHand, report.outcome.discards,
                                    report.outcome.settlement.bet, Bankroll());
    Changed();
    return report;
}

bool GameSession::SetGame(const Game& game) {
    if (Permitted(table_).mark) {
        return false;
    }
    if (game_ != &game) {
        game_ = &game;
        gameSetting_ = game.key;
        Changed();
    }
    return true;
}

void GameSession::SetTrainer(bool on) {
    if (trainer_ != on) {
        trainer_ = on;
        Changed();
    }
}

std::optional<DrawAdvice> GameSession::DrawNeedsConfirmation() const {
    if (!trainer_ || !Permitted(table_).mark) {
        return std::nullopt;
    }
    const DrawAdvice advice = AdviseDraw(*game_, table_.Hand, table_.Discard);
    return advice.mistake == Mistake::None ? std::nullopt : std::optional(advice);
}

std::optional<std::string> GameSession::TrainerQuestionBeforeDraw() const {
    const std::optional<DrawAdvice> advice = DrawNeedsConfirmation();
    if (!advice) {
        return std::nullopt;
    }
    return TrainerQuestion(table_.Hand, *advice);
}

DiscardMarks GameSession::MarkBestHold() {
    DiscardMarks changed{};
    if (!Permitted(table_).mark) {
        return changed;
    }
    const DiscardMarks best = BestHoldDiscards(*game_, table_.Hand);
    for (int slot = 0; slot < HandSize; ++slot) {
        changed[slot] = table_.Discard[slot] != best[slot];
        table_.Discard[slot] = best[slot];
    }
    return changed;
}

std::string GameSession::AccountName() const {
    return TrimmedText(CurrentAccount(bank_).Name);
}

std::int64_t GameSession::Bankroll() const {
    return std::int64_t{table_.CashOnHand} + CurrentAccount(bank_).Savings;
}

bool GameSession::ToggleDiscard(int slot) {
    return corvanta::ToggleDiscard(table_, slot);
}

TransferOutcome GameSession::Deposit(std::string_view amountText) {
    const TransferOutcome outcome = corvanta::Deposit(table_, bank_, amountText);
    if (outcome.status == TransferStatus::Moved) {
        Changed();
    }
    return outcome;
}

TransferOutcome GameSession::Withdraw(std::string_view amountText, AmountSource source) {
    const TransferOutcome outcome = corvanta::Withdraw(table_, bank_, amountText, source);
    if (outcome.status == TransferStatus::Moved) {
        Changed();
    }
    return outcome;
}

CashAndSavings GameSession::TakeLoan() {
    const CashAndSavings money = corvanta::TakeLoan(table_, bank_);
    Changed();
    return money;
}

AccountStatistics GameSession::ClearStatistics() {
    const AccountStatistics statistics = corvanta::ClearStatistics(bank_);
    Changed();
    return statistics;
}

AccountChange GameSession::ChangeAccount(const AskPlayer& ask) {
    ChangeAccountDialogue dialogue(table_, bank_);
    for (Question question = dialogue.Begin(); question.kind != Question::Kind::None;
         question = dialogue.Next(ask(question))) {
    }
    if (dialogue.Outcome().result != AccountChange::Result::Unchanged) {
        Changed();
    }
    return dialogue.Outcome();
}

EditOutcome GameSession::SaveAccountChanges(std::string_view name, std::string_view password,
                                            std::string_view confirmation) {
    const EditOutcome outcome = corvanta::SaveAccountChanges(bank_, name, password, confirmation);
    if (outcome.status != EditStatus::BlankName) {
        Changed(); // a password mismatch still stores the name
    }
    return outcome;
}

EditorStart GameSession::StartRecordEditor(RecordEditor& editor) const {
    return corvanta::StartRecordEditor(editor, bank_);
}

RecordView GameSession::ShowCurrentRecord(RecordEditor& editor) const {
    return corvanta::ShowCurrentRecord(editor, bank_);
}

std::optional<RecordView> GameSession::ShowNextRecord(RecordEditor& editor) const {
    return corvanta::ShowNextRecord(editor, bank_);
}

std::optional<RecordView> GameSession::ShowPreviousRecord(RecordEditor& editor) const {
    return corvanta::ShowPreviousRecord(editor, bank_);
}

std::optional<RecordView> GameSession::NewRecord(RecordEditor& editor) {
    auto view = corvanta::NewRecord(editor, bank_);
    if (view) {
        Changed();
    }
    return view;
}

bool GameSession::SaveRecordChanges(const RecordEditor& editor, std::string_view name,
                                    std::string_view savings) {
    const bool stored = corvanta::SaveRecordChanges(editor, bank_, name, savings);
    if (stored) {
        Changed();
    }
    return stored;
}

CurrentAccountChange GameSession::SetAsGCNum(const RecordEditor& editor) {
    CurrentAccountChange change = corvanta::SetAsGCNum(editor, bank_);
    Changed();
    return change;
}

std::optional<DeleteOutcome> GameSession::DeleteRecord(const RecordEditor& editor) {
    auto outcome = corvanta::DeleteRecord(editor, bank_);
    if (outcome) {
        Changed();
    }
    return outcome;
}

void GameSession::KeepAdvisorPlace(const WindowPlace& place) {
    if (place.Known()) {
        advisorPlace_ = place; // saved with the next save point, the exit's at the latest
    }
}

void GameSession::ChooseBack(int picture) {
    corvanta::ChooseBack(table_, picture);
}

void GameSession::TakeChosenBack() {
    const std::int16_t before = table_.CardBG;
    corvanta::TakeChosenBack(table_);
    if (table_.CardBG != before) {
        Changed();
    }
}

} // namespace corvanta
