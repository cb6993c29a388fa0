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
#include <sys/stat.h>

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

// A desktop session's checkpoint saves as the exit does, and the game plays on: what comes
// after it is saved too.
TEST_F(SessionFixture, ACheckpointSavesAndPlayGoesOn) {
    session.StartUp();
    session.Checkpoint();
    EXPECT_TRUE(session.TakeNotices().empty());
    Play("10", Nothing, {}, {});
    GameSession next(Folders(), random);
    const StartUpFigures figures = next.StartUp();
    EXPECT_EQ(figures.cash, 90);
    EXPECT_EQ(figures.account.statistics.roundsPlayed, 1);
}

// The journal of a save cut short holds a newer pair than the files: when the next start
// cannot complete it, it is kept for a later start and nothing is saved over it.
TEST_F(SessionFixture, ASaveThatCannotBeCompletedIsKeptAndNotSavedOver) {
    const std::string journal = folder.Path() + "/corvanta/save.journal";
    const std::string blocked = folder.Path() + "/gone/gbank.db"; // in a folder not there
    ASSERT_EQ(::mkdir((folder.Path() + "/corvanta").c_str(), 0700), 0);
    const std::string pending = JournalBytes({{blocked, "a bank"}});
    test::WriteBytes(journal, pending);
    session.StartUp();
    EXPECT_EQ(session.TakeNotices(),
              std::vector<Notice>(
                  {{"Corvanta - Save", "The last save could not be completed in " + blocked +
                                           ":\rNo such file or directory. It is kept for the "
                                           "next start; this game saves nothing."}}));
    session.Bet("5");
    EXPECT_TRUE(session.ShutDown().empty());
    EXPECT_TRUE(test::ReadBytes(journal) == pending);
}

} // namespace
} // namespace corvanta
