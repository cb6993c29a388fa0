#include "game/GameSession.h"

#include "game/DebugAccess.h"

#include "bank/BankFile.h"
#include "settings/Settings.h"
#include "settings/basRegistry.h"
#include "storage/SaveJournal.h"
#include "support/SavedFiles.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanta {
namespace {

using test::Card;

struct SessionFixture : ::testing::Test {
    // Bets, deals the five cards and draws the replacements for the marked slots.
    DealReport Play(const char* bet, FiveCards dealt, std::initializer_list<int> marked,
                    std::initializer_list<int> drawn) {
        EXPECT_EQ(session.Bet(bet).status, BetStatus::Accepted);
        random.Add({dealt[0], dealt[1], dealt[2], dealt[3], dealt[4]});
        EXPECT_EQ(session.Deal().outcome.step, DealStep::Dealt);
        for (int slot : marked) {
            EXPECT_TRUE(session.ToggleDiscard(slot));
        }
        random.Add(drawn);
        return session.Deal();
    }
    GameFolders Folders() const { return {.bank = folder.Path(), .config = folder.Path()}; }
    const AccountRecord& Current() const { return CurrentAccount(session.GetBank()); }

    test::TempFolder folder;
    test::ScriptedRandom random;
    GameSession session{Folders(), random};
};

const FiveCards ThreeEights = {Card(8, 1), Card(8, 2), Card(3, 3), Card(8, 4), Card(12, 1)};
const FiveCards Nothing = {Card(2, 1), Card(5, 2), Card(7, 3), Card(9, 4), Card(13, 1)};

// The cash, the current account and the trainer as stored, or as on a first run; a stored
// back number that names none of the thirteen backs would leave the table with no cards
// drawn, so the default back takes its place.
TEST(GameSession, TheStartUpTakesTheStoredValuesOrTheDefaults) {
    struct Row {
        std::optional<StoredSettings> stored;
        std::int64_t cash;
        const char* account;
        int back;
    };
    using S = StoredSettings;
    const Row rows[] = {{std::nullopt, 100, "Ann", 63}, {S{57, 2, 40, true}, 40, "Bob", 57},
                        {S{53, 2, 40}, 40, "Bob", 53},  {S{65, 2, 40}, 40, "Bob", 65},
                        {S{-1, 2, 40}, 40, "Bob", 63},  {S{0, 2, 40}, 40, "Bob", 63},
                        {S{52, 2, 40}, 40, "Bob", 63},  {S{66, 2, 40}, 40, "Bob", 63}};
    for (const Row& row : rows) {
        const test::TempFolder folder;
        Bank bank;
        bank.AccountCount = 2;
        AssignText(bank.AccountTable[1].Name, "Ann");
        AssignText(bank.AccountTable[2].Name, "Bob");
        ASSERT_TRUE(SaveBank(bank, folder.Path()).ok);
        if (row.stored) {
            ASSERT_TRUE(SaveSettings(folder.Path(), *row.stored).ok);
        }
        test::ScriptedRandom random;
        GameSession session({folder.Path(), folder.Path()}, random);
        const StartUpFigures figures = session.StartUp();
        EXPECT_EQ(figures.cash, row.cash) << row.back;
        EXPECT_EQ(figures.account.name, row.account) << row.back;
        const auto back = static_cast<std::int16_t>(row.back);
        EXPECT_EQ(session.GetTable().Hand, (FiveCards{back, back, back, back, back}));
        EXPECT_EQ(session.GetTable().OptionsCardBG, row.back);
        EXPECT_EQ(session.TrainerOn(), row.stored && row.stored->trainer);
    }
}

// A lost round with little cash and savings left offers the loan; a won one does not. Each
// is counted in the current account, and graded by the trainer.
TEST_F(SessionFixture, TheDrawIsCountedInTheCurrentAccountAndGraded) {
    Bank bank;
    bank.AccountCount = 1;
    AssignText(bank.AccountTable[1].Name, "Low");
    bank.AccountTable[1].Savings = 10;
    ASSERT_TRUE(SaveBank(bank, folder.Path()).ok);
    ASSERT_TRUE(SaveSettings(folder.Path(), {63, 1, 40}).ok);
    session.StartUp();
    const DealReport lost = Play("25", Nothing, {}, {});
    EXPECT_EQ(lost.outcome.settlement.category, Category::NotAWinningHand);
    EXPECT_TRUE(lost.offerLoan);
    EXPECT_EQ(lost.statistics, (AccountStatistics{0, 1, 1, 0, 25, -25}));
    const DealReport won = Play("5", ThreeEights, {2, 4}, {Card(3, 1), Card(3, 2)});
    EXPECT_EQ(won.outcome.settlement.category, Category::FullHouse);
    EXPECT_FALSE(won.offerLoan);
    EXPECT_EQ(won.statistics, (AccountStatistics{1, 1, 2, 55, 25, 15}));
    EXPECT_EQ(session.GetTable().CashOnHand, 70);
    EXPECT_EQ(Current().AmountWon, 55);
    // The trainer saw the round as dealt, the marks keeping the three eights, and the bankroll.
    EXPECT_EQ(won.round.dealt, ThreeEights);
    EXPECT_EQ(won.round.discards, (DiscardMarks{false, false, true, false, true}));
    EXPECT_EQ(won.round.bankrollAfter, 80);
    EXPECT_EQ(session.Training().RoundsAdvised(), 2);
    EXPECT_EQ(session.Training().StartingBankroll(), 50);
}

// With the trainer on, a draw that returns less than the best hold is put to the player.
TEST_F(SessionFixture, TheTrainerQuestionsOnlyACostlyDraw) {
    session.StartUp();
    session.SetTrainer(true);
    session.Bet("5");
    EXPECT_EQ(session.DrawNeedsConfirmation(), std::nullopt);                     // no cards yet
    random.Add({Card(10, 1), Card(11, 1), Card(12, 1), Card(13, 1), Card(3, 2)}); // four to a royal
    session.Deal();
    const std::optional<DrawAdvice> standingPat = session.DrawNeedsConfirmation();
    ASSERT_TRUE(standingPat);
    EXPECT_EQ(standingPat->mistake, Mistake::Large);
    EXPECT_EQ(standingPat->bestHold, 0b01111u);
    session.ToggleDiscard(4);
    EXPECT_EQ(session.DrawNeedsConfirmation(), std::nullopt);
    session.ToggleDiscard(4);
    session.SetTrainer(false);
    EXPECT_EQ(session.DrawNeedsConfirmation(), std::nullopt);
    session.SetTrainer(true);
    session.WaitForSaves();
    EXPECT_TRUE(LoadSettings(folder.Path()).values.trainer) << "the trainer is remembered";
}

// Mark Best Hold marks the best hold's discards, only between the deal and the draw, and says
// which marks changed.
TEST_F(SessionFixture, MarkBestHoldMarksTheBestHoldsDiscardsOnlyBeforeTheDraw) {
    session.StartUp();
    EXPECT_EQ(session.MarkBestHold(), DiscardMarks{}); // no cards yet
    session.Bet("5");
    EXPECT_EQ(session.MarkBestHold(), DiscardMarks{});
    random.Add({Card(10, 1), Card(11, 1), Card(12, 1), Card(13, 1), Card(3, 2)}); // four to a royal
    session.Deal();
    session.ToggleDiscard(0); // a keeper marked by the player
    EXPECT_EQ(session.MarkBestHold(), (DiscardMarks{true, false, false, false, true}));
    EXPECT_EQ(session.GetTable().Discard, (DiscardMarks{false, false, false, false, true}));
    EXPECT_EQ(session.MarkBestHold(), DiscardMarks{}); // already the best hold
    random.Add({Card(14, 1)});
    session.Deal();
    EXPECT_EQ(session.MarkBestHold(), DiscardMarks{}); // after the draw
    EXPECT_EQ(session.GetTable().Discard, DiscardMarks{});
}

// The card library opens before the settings are read and closes before the files are saved.
TEST_F(SessionFixture, TheCardLibraryOpensBeforeTheReadingAndClosesBeforeTheSaving) {
    struct Library final : CardLibrary {
        void Open() override {
            // Written as the library opens: the start-up must read it afterwards.
            EXPECT_TRUE(SaveSettings(config, {63, 1, 321}).ok);
            events += "open ";
        }
        void Close() override {
            // Removed as the library closes: the shutdown must write it afterwards.
            EXPECT_EQ(std::remove(SettingsFilePath(config).c_str()), 0);
            events += "close";
        }
        std::string config;
        std::string events;
    } library;
    library.config = folder.Path();
    EXPECT_EQ(session.StartUp(library).cash, 321);
    EXPECT_TRUE(session.ShutDown(library).empty());
    EXPECT_EQ(library.events, "open close");
    EXPECT_EQ(LoadSettings(folder.Path()).values.CashOnHand, 321) << "saved after closing";
}

TEST(DebugAccess, OnlyTheCodeAsTypedOpensTheConsole) {
    EXPECT_TRUE(OpensDebugConsole("larkspurs"));
    for (const char* wrong : {"", "unknown", "larkspur", "Larkspurs", " larkspurs", "larkspurs "}) {
        EXPECT_FALSE(OpensDebugConsole(wrong)) << wrong;
    }
}

TEST_F(SessionFixture, TheShutDownSavesWhatTheNextStartUpReads) {
    session.StartUp();
    Play("10", Nothing, {}, {});
    session.Deposit("20");
    session.ChooseBack(2);
    session.TakeChosenBack();
    EXPECT_TRUE(session.ShutDown().empty());
    GameSession next(Folders(), random);
    const StartUpFigures figures = next.StartUp();
    EXPECT_EQ(figures.cash, 70);
    EXPECT_EQ(figures.account,
              (AccountFigures{"Default", {120}, AccountStatistics{0, 1, 1, 0, 10, -10}}));
    EXPECT_EQ(next.GetTable().CardBG, 54);
}

// A save point is written to the disk in the background; a failure there is told at the first
// look after it, once until a save works again, and the exit's own failure after it.
TEST_F(SessionFixture, ASaveThatFailsInTheBackgroundIsToldOnceUntilOneWorks) {
    session.StartUp();
    const std::string bank = folder / "gbank.db";
    const Notice failed{"Corvanta - Save",
                        "The bank could not be saved to " + bank + ":\rIs a directory"};
    struct Step {
        const char* what;
        bool bankIsAFolder;
        std::vector<Notice> said;
    };
    const Step steps[] = {
        {"a folder in the bank's place", true, {failed}},
        {"still there: said once", true, {}},
        {"gone: saved", false, {}},
        {"back: said again", true, {failed}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        std::filesystem::remove_all(bank);
        if (step.bankIsAFolder) {
            ASSERT_EQ(::mkdir(bank.c_str(), 0700), 0);
        }
        EXPECT_EQ(session.Deposit("1").status, TransferStatus::Moved);
        session.WaitForSaves();
        EXPECT_EQ(session.TakeNotices(), step.said);
    }
    EXPECT_EQ(session.Deposit("1").status, TransferStatus::Moved);
    EXPECT_EQ(session.ShutDown(),
              std::vector<Notice>({{"Corvanta - Exit", "The bank could not be saved to " + bank +
                                                           ":\rIs a directory"}}));
}

// The journal's folder, which holds the settings, removed during play: the next save makes it
// again, and nothing is said.
TEST_F(SessionFixture, TheNextSaveMakesTheSettingsFolderAgainWhenItWent) {
    session.StartUp();
    EXPECT_EQ(session.Deposit("1").status, TransferStatus::Moved);
    session.WaitForSaves();
    std::filesystem::remove_all(folder / "corvanta");
    EXPECT_EQ(session.Deposit("2").status, TransferStatus::Moved);
    session.WaitForSaves();
    EXPECT_EQ(session.TakeNotices(), std::vector<Notice>{});
    EXPECT_EQ(LoadSettings(folder.Path()).values.CashOnHand, 97);
}

// A desktop session's checkpoint saves as the exit does, and the game plays on: what comes
// after it is saved too.
TEST_F(SessionFixture, ACheckpointSavesAndPlayGoesOn) {
    session.StartUp();
    session.Checkpoint();
    EXPECT_TRUE(session.TakeNotices().empty());
    Play("10", Nothing, {}, {});
    session.WaitForSaves();
    GameSession next(Folders(), random);
    const StartUpFigures figures = next.StartUp();
    EXPECT_EQ(figures.cash, 90);
    EXPECT_EQ(figures.account.statistics.roundsPlayed, 1);
}

// A save cut short: the journal of a deposit of $37 is written, and the files are still as
// the save found them: "Ann" with $100 in the bank, $40 at the table. What the test arranges
// after that, and where the next start looks for the bank.
// The bank of one account, "Ann", with these savings.
std::string AnnsBank(std::int32_t savings) {
    Bank ann;
    ann.AccountCount = 1;
    AssignText(ann.AccountTable[1].Name, "Ann");
    ann.AccountTable[1].Savings = savings;
    return BankBytes(ann);
}

struct CutShort {
    explicit CutShort(const test::TempFolder& folder)
        : bank(folder / "gbank.db"), settings(folder / "corvanta/settings.reg"),
          journal(folder / "corvanta/save.journal") {
        test::WriteBytes(bank, AnnsBank(100));
        EXPECT_TRUE(SaveSettings(folder.Path(), {63, 1, 40}).ok);
        const std::string oldBank = test::ReadBytes(bank);
        const std::string oldSettings = test::ReadBytes(settings);
        test::ScriptedRandom random;
        GameSession killed({folder.Path(), folder.Path()}, random);
        killed.StartUp();
        EXPECT_EQ(killed.Deposit("37").status, TransferStatus::Moved);
        killed.WaitForSaves();
        pending = test::ReadBytes(journal);
        // The pending journal holds the same save; without it the journal's own rules decide.
        std::filesystem::remove(journal + ".next");
        test::WriteBytes(bank, oldBank); // killed before the files were replaced
        test::WriteBytes(settings, oldSettings);
    }
    std::string bank, settings, journal, pending;
};

// Only a journal this game wrote, on the files it uses now, each still as that save found it
// (or already new), is carried out. Any other is set aside under another name, the player is
// told once, the files stay as they are, and play and saving go on.
TEST(GameSession, AJournalIsCarriedOutOnlyOnTheFilesItsSaveFound) {
    struct Row {
        const char* name;
        std::function<void(const test::TempFolder&, CutShort&, GameFolders&)> arrange;
        std::string said; // {journal}, {bank}, {settings}, {folder} stand for their paths
        std::int32_t cash, savings;
        std::string keptAs = "save.journal.bad"; // where the journal is, if set aside
        bool asRoot = false;                     // only root can hand a file to another user
    };
    const std::string later = AnnsBank(180);
    const Row rows[] = {
        {"the save completed", [](auto&, auto&, auto&) {}, "", 3, 137, ""},
        {"the bank changed after the kill",
         [&](auto&, CutShort& cut, auto&) { test::WriteBytes(cut.bank, later); },
         "{bank} changed after that save began", 40, 180},
        {"both files from a later save, the journal from a backup",
         [&](auto& folder, CutShort& cut, auto&) {
             test::WriteBytes(cut.bank, later);
             ASSERT_TRUE(SaveSettings(folder.Path(), {63, 1, 20}).ok);
         },
         "{bank} and {settings} changed after that save began", 20, 180},
        {"a journal naming another file",
         [](auto& folder, CutShort& cut, auto&) {
             test::WriteBytes(folder / "bashrc", "PATH=/usr/bin\n");
             test::WriteBytes(cut.journal, JournalBytes({{{folder / "bashrc", "rm -rf ~\n"},
                                                          StateOfBytes("PATH=/usr/bin\n")}}));
         },
         "It names {folder}/bashrc, which is neither the bank nor the settings in use", 40, 100},
        {"a portable copy moved after the kill",
         [](auto& folder, CutShort& cut, GameFolders& next) {
             ASSERT_EQ(::mkdir((folder / "moved").c_str(), 0700), 0);
             ASSERT_EQ(::rename(cut.bank.c_str(), (folder / "moved/gbank.db").c_str()), 0);
             next.bank = folder / "moved";
         },
         "It names {bank}, which is neither the bank nor the settings in use", 40, 100},
        {"a damaged journal",
         [](auto&, CutShort& cut, auto&) {
             test::WriteBytes(cut.journal, cut.pending.substr(0, cut.pending.size() - 2) + "0\n");
         },
         "It is not a whole save journal of this game", 40, 100},
        {"a FIFO in the journal's place",
         [](auto&, CutShort& cut, auto&) {
             ::unlink(cut.journal.c_str());
             ASSERT_EQ(::mkfifo(cut.journal.c_str(), 0600), 0);
         },
         "Not a regular file", 40, 100},
        {"a folder in the journal's place",
         [](auto&, CutShort& cut, auto&) {
             ::unlink(cut.journal.c_str());
             ASSERT_EQ(::mkdir(cut.journal.c_str(), 0700), 0);
         },
         "Is a directory", 40, 100},
        {"a link to a good journal in its place",
         [](auto& folder, CutShort& cut, auto&) {
             ASSERT_EQ(::rename(cut.journal.c_str(), (folder / "elsewhere").c_str()), 0);
             ASSERT_EQ(::symlink((folder / "elsewhere").c_str(), cut.journal.c_str()), 0);
         },
         "Not a regular file", 40, 100},
        {"another user's journal",
         [](auto&, CutShort& cut, auto&) { ASSERT_EQ(::chown(cut.journal.c_str(), 1, 1), 0); },
         "Not your own file", 40, 100, "save.journal.bad", true},
        {"a journal of 4 MiB",
         [](auto&, CutShort& cut, auto&) {
             ASSERT_EQ(::truncate(cut.journal.c_str(), 4 << 20), 0);
         },
         "File too large", 40, 100},
        {"a second odd journal",
         [](auto&, CutShort& cut, auto&) {
             test::WriteBytes(cut.journal + ".bad", "the first");
             test::WriteBytes(cut.journal, "corvanta save journal 1\n");
         },
         "It is not a whole save journal of this game", 40, 100, "save.journal.bad.2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.asRoot && ::geteuid() != 0) {
            continue;
        }
        const test::TempFolder folder;
        CutShort cut(folder);
        GameFolders next{folder.Path(), folder.Path()};
        row.arrange(folder, cut, next);
        const std::string bankPath = BankFilePath(next.bank);
        const std::string bankBefore = test::ReadBytes(bankPath);
        test::ScriptedRandom random;
        GameSession session(next, random);
        session.StartUp();
        std::string said = row.said.empty()
                               ? ""
                               : "The last save was not completed from {journal}:\r" + row.said +
                                     ". The bank and the settings are kept as they are, and the "
                                     "journal as {folder}/corvanta/" +
                                     row.keptAs + ".";
        for (const auto& [name, path] : {std::pair{"{journal}", cut.journal},
                                         {"{bank}", cut.bank},
                                         {"{settings}", cut.settings},
                                         {"{folder}", folder.Path()}}) {
            for (auto at = said.find(name); at != std::string::npos; at = said.find(name)) {
                said.replace(at, std::string_view(name).size(), path);
            }
        }
        const std::vector<Notice> notices = session.TakeNotices();
        const std::vector<Notice> expected =
            said.empty() ? std::vector<Notice>() : std::vector<Notice>({{"Corvanta - Save", said}});
        EXPECT_EQ(notices, expected);
        EXPECT_EQ(session.GetTable().CashOnHand, row.cash);
        EXPECT_EQ(CurrentAccount(session.GetBank()).Savings, row.savings);
        if (!row.keptAs.empty() && row.keptAs != "save.journal.bad") {
            EXPECT_EQ(test::ReadBytes(cut.journal + ".bad"), "the first");
        }
        if (row.keptAs.empty() || row.cash == 40) { // the files were not written
            EXPECT_EQ(test::ReadBytes(bankPath), row.keptAs.empty() ? AnnsBank(137) : bankBefore);
        }
        EXPECT_EQ(test::FolderEntries(folder / "corvanta"),
                  (row.keptAs.empty() ? std::vector<std::string>{"settings.reg"}
                   : row.keptAs == "save.journal.bad"
                       ? std::vector<std::string>{"save.journal.bad", "settings.reg"}
                       : std::vector<std::string>{"save.journal.bad", "save.journal.bad.2",
                                                  "settings.reg"}));
        // Play and saving go on.
        EXPECT_EQ(session.Deposit("1").status, TransferStatus::Moved);
        EXPECT_EQ(session.TakeNotices(), std::vector<Notice>{});
        EXPECT_EQ(session.ShutDown(), std::vector<Notice>{});
        EXPECT_EQ(LoadSettings(folder.Path()).values.CashOnHand, row.cash - 1);
    }
}

// A sound journal whose bank cannot be written now (a link to another user's file took the
// bank's place): it holds a newer pair than the files, so it is kept for a later start and
// nothing is saved over it. Only root can hand a file to another user.
TEST(GameSession, ASaveThatCannotBeCompletedIsKeptAndNotSavedOver) {
    const test::TempFolder folder;
    CutShort cut(folder);
    ASSERT_EQ(::rename(cut.bank.c_str(), (folder / "others").c_str()), 0);
    if (::chown((folder / "others").c_str(), 1, 1) != 0) {
        GTEST_SKIP() << "only root can give a file to another user";
    }
    ASSERT_EQ(::symlink((folder / "others").c_str(), cut.bank.c_str()), 0);
    const std::string others = test::ReadBytes(folder / "others");
    test::ScriptedRandom random;
    GameSession session({folder.Path(), folder.Path()}, random);
    session.StartUp();
    EXPECT_EQ(session.TakeNotices(),
              std::vector<Notice>(
                  {{"Corvanta - Save", "The last save could not be completed in " + cut.bank +
                                           ":\rNot your own file. It is kept for the next start; "
                                           "this game saves nothing."}}));
    session.Bet("5");
    EXPECT_TRUE(session.ShutDown().empty());
    EXPECT_TRUE(test::ReadBytes(cut.journal) == cut.pending);
    EXPECT_TRUE(test::ReadBytes(folder / "others") == others);
}

// A lock that could not be taken: another copy might be using the files, so nothing at all is
// written, not even a journal completed or settings kept aside; the player is told.
TEST(GameSession, WithoutItsLockTheGameSavesNothing) {
    const test::TempFolder folder;
    CutShort cut(folder);
    test::WriteBytes(cut.settings, "not settings");
    const std::vector<std::string> before = test::FolderEntries(folder / "corvanta");
    GameFolders folders{folder.Path(), folder.Path()};
    folders.lockProblem = SaveResult::Failure(cut.settings + ".lock", NotARegularFile);
    test::ScriptedRandom random;
    GameSession session(folders, random);
    session.StartUp();
    EXPECT_EQ(session.TakeNotices(),
              std::vector<Notice>(
                  {{"Corvanta - Save", "The lock " + cut.settings +
                                           ".lock could not be taken:\rNot a regular file. Another "
                                           "copy of the game might be using the same files, so "
                                           "this game saves nothing."},
                   {"Corvanta - Settings",
                    "The settings in " + cut.settings +
                        " could not be understood:\rthe game starts from its defaults and leaves "
                        "the file alone."}}));
    session.Deposit("20");
    session.Checkpoint();
    EXPECT_EQ(session.ShutDown(), std::vector<Notice>{});
    EXPECT_EQ(test::FolderEntries(folder / "corvanta"), before);
    EXPECT_TRUE(test::ReadBytes(cut.journal) == cut.pending);
    EXPECT_EQ(test::ReadBytes(cut.settings), "not settings");
    EXPECT_EQ(test::ReadBytes(cut.bank), AnnsBank(100));
}

} // namespace
} // namespace corvanta
