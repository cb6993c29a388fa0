#include "engine/Round.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvanta {
namespace {

using test::Card;
using test::ScriptedRandom;

struct RoundFixture : ::testing::Test {
    RoundFixture() {
        table.CashOnHand = 100;
        ResetTable(table);
    }

    Table table;
    ScriptedRandom random;
};

TEST_F(RoundFixture, AWholeScriptedRound) {
    // Bet: the money moves from the cash to the bet and the round opens.
    BetOutcome bet = PlaceBet(table, 5);
    EXPECT_EQ(bet.status, BetStatus::Accepted);
    EXPECT_TRUE(bet.openedRound);
    EXPECT_EQ(table.CashOnHand, 95);
    EXPECT_EQ(table.BetAmount, 5);
    EXPECT_EQ(table.DealState, DealStateCode::BetPlaced);

    // Deal: five new cards face up, one number per slot.
    random.Add({Card(8, 1), Card(8, 2), Card(3, 3), Card(8, 4), Card(12, 1)});
    EXPECT_EQ(DealCommand(table, random).step, DealStep::Dealt);
    EXPECT_EQ(table.DealState, DealStateCode::CardsDealt);
    EXPECT_FALSE(table.ShowBacks);
    EXPECT_EQ(table.Hand[2], Card(3, 3));
    EXPECT_EQ(table.Discard, DiscardMarks{});

    // Mark the three and the queen; the draw brings a pair of threes: a full house.
    EXPECT_TRUE(ToggleDiscard(table, 2));
    EXPECT_TRUE(ToggleDiscard(table, 4));
    random.Add({Card(3, 1), Card(3, 2)});
    const DealOutcome draw = DealCommand(table, random);
    ASSERT_EQ(draw.step, DealStep::Drew);
    EXPECT_EQ(random.Remaining(), 0u);
    EXPECT_EQ(draw.dealtHand,
              (FiveCards{Card(8, 1), Card(8, 2), Card(3, 3), Card(8, 4), Card(12, 1)}));
    EXPECT_EQ(draw.discards, (DiscardMarks{false, false, true, false, true}));
    EXPECT_EQ(draw.finalHand,
              (FiveCards{Card(8, 1), Card(8, 2), Card(3, 1), Card(8, 4), Card(3, 2)}));
    EXPECT_EQ(draw.evaluation.category, Category::FullHouse);
    EXPECT_EQ(draw.settlement.category, Category::FullHouse);
    EXPECT_EQ(draw.settlement.lastHand, "Full House");
    EXPECT_EQ(draw.settlement.moneyBefore, 95);
    EXPECT_EQ(draw.settlement.bet, 5);
    EXPECT_EQ(draw.settlement.paid, 60);
    EXPECT_TRUE(draw.settlement.won);
    EXPECT_EQ(draw.settlement.gain, 55);
    EXPECT_EQ(draw.settlement.loss, 0);
    EXPECT_EQ(table.CashOnHand, 155);
    EXPECT_EQ(table.BetAmount, 0);
    EXPECT_EQ(table.DealState, DealStateCode::WaitingForBet);
    EXPECT_TRUE(table.ShowBacks);
    EXPECT_EQ(table.Hand, (FiveCards{63, 63, 63, 63, 63}));
    EXPECT_EQ(table.Discard, DiscardMarks{});

    // Between rounds the Deal command does nothing.
    EXPECT_EQ(DealCommand(table, random).step, DealStep::Ignored);
}

TEST_F(RoundFixture, DrawWithNothingMarkedSettlesTheDealtHand) {
    PlaceBet(table, 10);
    random.Add({Card(2, 1), Card(2, 2), Card(7, 3), Card(9, 4), Card(13, 1)});
    DealCommand(table, random);
    const DealOutcome draw = DealCommand(table, random);
    EXPECT_EQ(random.drawn, 5);
    EXPECT_EQ(draw.settlement.category, Category::OnePair);
    EXPECT_EQ(draw.settlement.paid, 10); // the bet back, nothing gained
    EXPECT_TRUE(draw.settlement.won);    // but a won round all the same
    EXPECT_EQ(draw.settlement.gain, 0);
    EXPECT_EQ(draw.settlement.loss, 0);
    EXPECT_EQ(draw.discards, DiscardMarks{});
    EXPECT_EQ(draw.dealtHand, draw.finalHand);
    EXPECT_EQ(table.CashOnHand, 100);
}

TEST_F(RoundFixture, LosingHandLosesTheStake) {
    table.CashOnHand = 40;
    PlaceBet(table, 25);
    random.Add({Card(2, 1), Card(5, 2), Card(7, 3), Card(9, 4), Card(13, 1)});
    DealCommand(table, random);
    const DealOutcome draw = DealCommand(table, random);
    EXPECT_EQ(draw.settlement.lastHand, "Not a Winning Hand");
    EXPECT_EQ(draw.settlement.paid, 0);
    EXPECT_FALSE(draw.settlement.won);
    EXPECT_EQ(draw.settlement.gain, 0);
    EXPECT_EQ(draw.settlement.loss, 25);
    EXPECT_EQ(table.CashOnHand, 15);
}

TEST(Settlement, EveryCategoryPaysItsMultiple) {
    struct Row {
        Category category;
        int multiplier;
        const char* lastHand;
    };
    for (const Row& row : {
             Row{Category::NotAWinningHand, 0, "Not a Winning Hand"},
             Row{Category::OnePair, 1, "One Pair"},
             Row{Category::TwoPair, 2, "Two Pair"},
             Row{Category::ThreeOfAKind, 3, "Three of a Kind"},
             Row{Category::Straight, 5, "Straight"},
             Row{Category::Flush, 8, "Flush"},
             Row{Category::FullHouse, 12, "Full House"},
             Row{Category::FourOfAKind, 25, "Four of a Kind"},
             Row{Category::FiveOfAKind, 40, "Five of a Kind"},
             Row{Category::StraightFlush, 50, "Straight Flush"},
             Row{Category::RoyalFlush, 100, "Royal Flush"},
         }) {
        Table table;
        table.CashOnHand = 95;
        table.BetAmount = 5;
        const Settlement s = SettleHand(table, row.category);
        const int k = row.multiplier;
        EXPECT_EQ(table.CashOnHand, 95 + k * 5) << row.lastHand;
        EXPECT_EQ(s.paid, k * 5) << row.lastHand;
        EXPECT_EQ(s.won, k > 0) << row.lastHand;
        EXPECT_EQ(s.gain, k > 0 ? (k - 1) * 5 : 0) << row.lastHand;
        EXPECT_EQ(s.loss, k > 0 ? 0 : 5) << row.lastHand;
        EXPECT_EQ(s.lastHand, row.lastHand);
        EXPECT_EQ(PayoffFor(row.category).multiplier, k) << row.lastHand;
    }
}

TEST(Settlement, CashStopsAtItsLimit) {
    Table table;
    table.CashOnHand = std::numeric_limits<std::int32_t>::max() - 10;
    table.BetAmount = 30000;
    const Settlement s = SettleHand(table, Category::RoyalFlush);
    EXPECT_EQ(table.CashOnHand, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(s.paid, 3'000'000);
    EXPECT_EQ(s.gain, 2'970'000);
}

TEST_F(RoundFixture, BetsAreCheckedAgainstMinimumAndCash) {
    struct Row {
        std::optional<std::int16_t> amount;
        BetStatus status;
        std::int32_t bet;
    };
    for (const Row& row :
         {Row{5, BetStatus::Accepted, 5}, Row{30, BetStatus::Accepted, 30},
          Row{4, BetStatus::Ignored, 0}, Row{0, BetStatus::Ignored, 0},
          Row{-10, BetStatus::Ignored, 0}, Row{std::nullopt, BetStatus::Ignored, 0},
          Row{101, BetStatus::Refused, 0}, Row{100, BetStatus::Accepted, 100}}) {
        Table fresh;
        fresh.CashOnHand = 100;
        ResetTable(fresh);
        const int shown = row.amount.value_or(-1);
        const BetOutcome outcome = PlaceBet(fresh, row.amount);
        EXPECT_EQ(outcome.status, row.status) << shown;
        EXPECT_EQ(fresh.BetAmount, row.bet) << shown;
        EXPECT_EQ(fresh.CashOnHand, 100 - row.bet) << shown;
        EXPECT_EQ(fresh.DealState,
                  row.bet ? DealStateCode::BetPlaced : DealStateCode::WaitingForBet)
            << shown;
        EXPECT_EQ(outcome.openedRound, row.bet != 0) << shown;
    }
}

TEST_F(RoundFixture, ShortfallMessageNamesTheMissingDollars) {
    table.CashOnHand = 3;
    const BetOutcome outcome = PlaceBet(table, 5);
    EXPECT_EQ(outcome.status, BetStatus::Refused);
    EXPECT_EQ(outcome.message, "You don't have enough money to make that bet! \rYou are $2 short.");
    EXPECT_EQ(table.CashOnHand, 3);
    EXPECT_EQ(table.DealState, DealStateCode::WaitingForBet);
}

TEST_F(RoundFixture, FurtherBetsBeforeTheDealAddUpAndBettingClosesAtTheDeal) {
    EXPECT_TRUE(PlaceBet(table, 30).openedRound);
    const BetOutcome second = PlaceBet(table, 20);
    EXPECT_EQ(second.status, BetStatus::Accepted);
    EXPECT_FALSE(second.openedRound);
    EXPECT_EQ(table.BetAmount, 50);
    EXPECT_EQ(table.CashOnHand, 50);
    random.Add({1, 2, 3, 4, 5});
    DealCommand(table, random);
    EXPECT_EQ(PlaceBet(table, 5).status, BetStatus::Ignored);
    EXPECT_EQ(table.BetAmount, 50);
}

TEST_F(RoundFixture, EachStateOfTheRoundPermitsItsOwnCommands) {
    using P = PermittedCommands;
    EXPECT_EQ(Permitted(table), (P{.bet = true, .deal = false, .mark = false}));
    PlaceBet(table, 5);
    EXPECT_EQ(Permitted(table), (P{.bet = true, .deal = true, .mark = false}));
    random.Add({1, 2, 3, 4, 5});
    DealCommand(table, random);
    EXPECT_EQ(Permitted(table), (P{.bet = false, .deal = true, .mark = true}));
    DealCommand(table, random);
    EXPECT_EQ(Permitted(table), (P{.bet = true, .deal = false, .mark = false}));
}

TEST_F(RoundFixture, CardsAreMarkedOnlyBetweenTheDealAndTheDraw) {
    EXPECT_FALSE(ToggleDiscard(table, 0)); // no round
    PlaceBet(table, 5);
    EXPECT_FALSE(ToggleDiscard(table, 0)); // a bet, no cards yet
    EXPECT_EQ(table.Discard, DiscardMarks{});

    random.Add({1, 2, 3, 4, 5});
    DealCommand(table, random);
    EXPECT_TRUE(ToggleDiscard(table, 1));
    EXPECT_TRUE(ToggleDiscard(table, 3));
    EXPECT_TRUE(ToggleDiscard(table, 3)); // a second click takes the mark off
    EXPECT_FALSE(ToggleDiscard(table, -1));
    EXPECT_FALSE(ToggleDiscard(table, 5));
    EXPECT_EQ(table.Discard, (DiscardMarks{false, true, false, false, false}));

    random.Add({9});
    DealCommand(table, random);
    EXPECT_FALSE(ToggleDiscard(table, 1)); // after the draw
    EXPECT_EQ(table.Discard, DiscardMarks{});
}

TEST(ChooseBack, APictureIsChosenAndTakenOnlyWhenTheWindowCloses) {
    Table table;
    ResetTable(table);
    EXPECT_EQ(table.CardBG, 63);
    ChooseBack(table, 1);
    EXPECT_EQ(table.OptionsCardBG, 53);
    EXPECT_EQ(table.CardBG, 63); // still the back on the table
    ChooseBack(table, 13);
    EXPECT_EQ(table.OptionsCardBG, 65);
    ChooseBack(table, 0); // not a picture: the choice stays
    ChooseBack(table, 14);
    EXPECT_EQ(table.OptionsCardBG, 65);
    TakeChosenBack(table);
    EXPECT_EQ(table.CardBG, 65);
}

TEST(IsNumber, PassesDigitsAndBackspaceOnly) {
    for (char16_t key = 0; key < 256; ++key) {
        const bool expected = (key >= u'0' && key <= u'9') || key == 8;
        EXPECT_EQ(IsNumber(key), expected) << int(key);
    }
    EXPECT_FALSE(IsNumber(u'\u0661')); // an Arabic-Indic digit is not one of ours
}

} // namespace
} // namespace corvanta
