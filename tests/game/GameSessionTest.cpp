#include "game/GameSession.h"

#include "bank/BankFile.h"
#include "settings/Settings.h"
#include "storage/SaveJournal.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <sys/stat.h>
#include <utility>

namespace corvanta {

// Readable notices in failure messages.
inline void PrintTo(const Notice& notice, std::ostream* os) {
    *os << "[" << notice.title << ": " << notice.text << "]";
}

namespace {

using test::Card;
using test::ScriptedRandom;

struct SessionFixture : ::testing::Test {
    // Writes the bank (account names and savings, the first current) and the cash the
    // game will start from.
    void Prepare(std::initializer_list<std::pair<const char*, std::int32_t>> accounts,
                 std::int32_t cash) {
        Bank bank;
        for (const auto& [name, savings] : accounts) {
            AccountRecord& account = bank.AccountTable[++bank.AccountCount];
            AssignText(account.Name, name);
            account.Savings = savings;
        }
        ASSERT_TRUE(SaveBank(bank, folder.Path()).Ok);
        ASSERT_TRUE(SaveSettings(folder.Path(), {63, 1, cash}).Ok);
    }

    GameFolders Folders() const { return {.bank = folder.Path(), .config = folder.Path()}; }
    const AccountRecord& Current() const { return CurrentAccount(session.GetBank()); }

    test::TempFolder folder;
    ScriptedRandom random;
    GameSession session{Folders(), random};
};

TEST_F(SessionFixture, AFirstRunStartsWithOneHundredDollarsOnTheTableAndInTheBank) {
    const StartupCaptions captions = session.StartUp();
    EXPECT_EQ(captions.lblCurrentCash, "$100");
    EXPECT_EQ(captions.lblLastHand, "No Hand Played");
    EXPECT_EQ(captions.account,
              (AccountDisplay{"Default", "$100", "0", "0", "0", "$0", "$0", "$0"}));
    const Table& table = session.GetTable();
    EXPECT_EQ(table.CashOnHand, 100);
    EXPECT_EQ(table.BetAmount, 0);
    EXPECT_EQ(table.CardBG, 63);
    EXPECT_EQ(table.OptionsCardBG, 63);
    EXPECT_EQ(table.Hand, (FiveCards{63, 63, 63, 63, 63}));
    EXPECT_TRUE(table.ShowBacks);
    EXPECT_EQ(table.DealState, DealStateCode::WaitingForBet);
    EXPECT_EQ(session.GetBank().AccountCount, 1);
    EXPECT_EQ(session.BankFile(), folder.Path() + "/gbank.db");
}

TEST_F(SessionFixture, TheStartUpTakesTheStoredCashAccountAndBack) {
    Prepare({{"Ann", 10}, {"Bob", 250}}, 40);
    ASSERT_TRUE(SaveSettings(folder.Path(), {57, 2, 40}).Ok); // Bob's, and another back
    const StartupCaptions captions = session.StartUp();
    EXPECT_EQ(captions.lblCurrentCash, "$40");
    EXPECT_EQ(captions.account.lblCurrentAccount, "Bob");
    EXPECT_EQ(captions.account.lblSavings, "$250");
    EXPECT_EQ(session.GetTable().CardBG, 57);
    EXPECT_EQ(session.GetTable().OptionsCardBG, 57);
    EXPECT_EQ(session.GetTable().Hand, (FiveCards{57, 57, 57, 57, 57}));
}

TEST_F(SessionFixture, AWholeRoundIsCountedInTheCurrentAccount) {
    session.StartUp();
    EXPECT_EQ(session.Bet("5").status, BetStatus::Accepted);
    random.Add({Card(8, 1), Card(8, 2), Card(3, 3), Card(8, 4), Card(12, 1)});
    EXPECT_EQ(session.Deal().outcome.step, DealStep::Dealt);
    EXPECT_TRUE(session.ToggleDiscard(2));
    EXPECT_TRUE(session.ToggleDiscard(4));
    random.Add({Card(3, 1), Card(3, 2)});

    const DealReport report = session.Deal();
    ASSERT_EQ(report.outcome.step, DealStep::Drew);
    EXPECT_EQ(report.outcome.settlement.category, Category::FullHouse);
    EXPECT_EQ(report.lblLastHand, "Full House");
    EXPECT_EQ(report.statistics,
              (AccountDisplay{"Default", "$100", "1", "0", "1", "$55", "$0", "$55"}));
    EXPECT_FALSE(report.offerLoan);
    EXPECT_EQ(session.GetTable().CashOnHand, 155);
    EXPECT_EQ(Current().RoundsPlayed, 1);
    EXPECT_EQ(Current().RoundsWon, 1);
    EXPECT_EQ(Current().RoundsLost, 0);
    EXPECT_EQ(Current().AmountWon, 55);
    EXPECT_EQ(Current().AmountLost, 0);
    EXPECT_EQ(Current().Savings, 100);

    // The trainer saw the round: the hand as dealt, the marks kept the three eights, and the
    // bankroll after it.
    const FiveCards dealt{Card(8, 1), Card(8, 2), Card(3, 3), Card(8, 4), Card(12, 1)};
    EXPECT_EQ(report.round.dealt, dealt);
    EXPECT_EQ(report.round.discards, (DiscardMarks{false, false, true, false, true}));
    EXPECT_EQ(report.round.bankrollAfter, 255);
    EXPECT_EQ(session.Training().RoundsAdvised(), 1);
    EXPECT_EQ(session.Training().StartingBankroll(), 200);
}

TEST_F(SessionFixture, ALosingRoundOffersTheLoanWhenCashAndSavingsAreLow) {
    Prepare({{"Low", 10}}, 40);
    session.StartUp();
    session.Bet("25");
    random.Add({Card(2, 1), Card(5, 2), Card(7, 3), Card(9, 4), Card(13, 1)});
    session.Deal();
    const DealReport report = session.Deal();
    EXPECT_EQ(report.lblLastHand, "Not a Winning Hand");
    EXPECT_TRUE(report.offerLoan);
    EXPECT_EQ(report.statistics,
              (AccountDisplay{"Low", "$10", "0", "1", "1", "$0", "$25", "$-25"}));
    EXPECT_EQ(session.GetTable().CashOnHand, 15);
    EXPECT_EQ(Current().RoundsLost, 1);
    EXPECT_EQ(Current().AmountLost, 25);
}

TEST_F(SessionFixture, NothingIsCountedBeforeTheDraw) {
    session.StartUp();
    EXPECT_EQ(session.Deal().outcome.step, DealStep::Ignored); // no bet
    session.Bet("5");
    random.Add({1, 2, 3, 4, 5});
    const DealReport dealt = session.Deal();
    EXPECT_EQ(dealt.outcome.step, DealStep::Dealt);
    EXPECT_EQ(dealt.lblLastHand, "");
    EXPECT_EQ(Current().RoundsPlayed, 0);
    EXPECT_EQ(session.Training().RoundsAdvised(), 0);
}

// A stored back number that names none of the thirteen backs would leave the table with no
// cards drawn: the default back takes its place.
TEST_F(SessionFixture, OnlyOneOfTheThirteenBacksIsTakenFromTheSettings) {
    for (const auto& [stored, used] : {std::pair{-1, 63}, std::pair{52, 63}, std::pair{53, 53},
                                       std::pair{65, 65}, std::pair{66, 63}, std::pair{0, 63}}) {
        const test::TempFolder own;
        ASSERT_TRUE(SaveSettings(own.Path(), {static_cast<std::int16_t>(stored), 1, 100}).Ok);
        GameSession game({own.Path(), own.Path()}, random);
        game.StartUp();
        EXPECT_EQ(game.GetTable().CardBG, used) << stored;
        EXPECT_EQ(game.GetTable().Hand[0], used) << stored;
    }
}

TEST_F(SessionFixture, BetsAreReadConvertedAndCheckedAgainstMinimumAndCash) {
    struct Row {
        const char* text;
        BetStatus status;
        std::int32_t bet;
    };
    for (const Row& row :
         {Row{"5", BetStatus::Accepted, 5}, Row{" 30 ", BetStatus::Accepted, 30},
          Row{"4", BetStatus::Ignored, 0}, Row{"4.5", BetStatus::Ignored, 0},
          Row{"4.6", BetStatus::Accepted, 5}, Row{"5.5", BetStatus::Accepted, 6},
          Row{"-10", BetStatus::Ignored, 0}, Row{"", BetStatus::Ignored, 0},
          Row{"ten", BetStatus::Ignored, 0}, Row{"32768", BetStatus::Ignored, 0},
          Row{"101", BetStatus::Refused, 0}, Row{"100", BetStatus::Accepted, 100}}) {
        const test::TempFolder own; // an accepted bet is saved: every row starts afresh
        GameSession fresh({own.Path(), own.Path()}, random);
        fresh.StartUp();
        const BetOutcome outcome = fresh.Bet(row.text);
        EXPECT_EQ(outcome.status, row.status) << row.text;
        EXPECT_EQ(fresh.GetTable().BetAmount, row.bet) << row.text;
        EXPECT_EQ(fresh.GetTable().CashOnHand, 100 - row.bet) << row.text;
        EXPECT_EQ(fresh.GetTable().DealState,
                  row.bet ? DealStateCode::BetPlaced : DealStateCode::WaitingForBet)
            << row.text;
    }
}

TEST_F(SessionFixture, TheShutDownSavesWhatTheNextStartUpReads) {
    session.StartUp();
    session.Bet("10");
    random.Add({Card(2, 1), Card(5, 2), Card(7, 3), Card(9, 4), Card(13, 1)});
    session.Deal();
    session.Deal();
    session.Deposit("20");
    session.ChooseBack(2);
    session.TakeChosenBack();
    EXPECT_TRUE(session.ShutDown().empty());

    GameSession next(Folders(), random);
    const StartupCaptions captions = next.StartUp();
    EXPECT_EQ(captions.lblCurrentCash, "$70");
    EXPECT_EQ(captions.account,
              (AccountDisplay{"Default", "$120", "0", "1", "1", "$0", "$10", "$-10"}));
    EXPECT_EQ(next.GetTable().CardBG, 54);
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

TEST_F(SessionFixture, WhatCannotBeSavedIsSaidAtTheEnd) {
    session.StartUp();
    // The bank's place and the settings' place are taken by folders.
    const std::string bankFile = folder.Path() + "/gbank.db";
    ASSERT_EQ(std::remove(bankFile.c_str()), 0);
    ASSERT_EQ(::mkdir(bankFile.c_str(), 0700), 0);
    const std::string settingsFile = folder.Path() + "/corvanta/settings.reg";
    ASSERT_EQ(::mkdir((folder.Path() + "/corvanta").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(settingsFile.c_str(), 0700), 0);

    // The two are saved together or not at all; the first that fails is named.
    EXPECT_EQ(session.ShutDown(),
              std::vector<Notice>({{"Corvanta - Exit", "The settings could not be saved to " +
                                                           settingsFile + ":\rIs a directory"}}));
}

TEST_F(SessionFixture, ChangeAccountPutsTheQuestionsToThePlayer) {
    Prepare({{"Default", 100}, {"Main", 150}}, 100);
    session.StartUp();
    std::vector<std::string> asked;
    const AccountChange change = session.ChangeAccount([&](const Question& question) {
        asked.emplace_back(question.text);
        return Answer{.text = " main "};
    });
    EXPECT_EQ(asked, std::vector<std::string>{"Please enter the name of the account:"});
    EXPECT_EQ(change.result, AccountChange::Result::Switched);
    EXPECT_EQ(change.display.lblSavings, "$150");
    EXPECT_EQ(session.GetBank().GCNum, 2);
}

} // namespace
} // namespace corvanta
