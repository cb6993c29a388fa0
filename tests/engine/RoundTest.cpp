#include "engine/Round.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvanta {
namespace {

using test::Card;
using Side = ShownCard::Side;
using P = PermittedCommands;

struct RoundFixture : ::testing::Test {
    RoundFixture() {
        table.CashOnHand = 100;
        ResetTable(table);
    }
    ShownCard Shown(int slot) const { return CardShownAt(table, slot); }

    Table table;
    test::ScriptedRandom random;
};

TEST_F(RoundFixture, AWholeRound) {
    EXPECT_EQ(Shown(0), (ShownCard{63, Side::Back}));
    EXPECT_EQ(Permitted(table), (P{.bet = true, .deal = false, .mark = false}));
    EXPECT_FALSE(ToggleDiscard(table, 0));
    EXPECT_TRUE(PlaceBet(table, 5).openedRound);
    EXPECT_EQ(Permitted(table), (P{.bet = true, .deal = true, .mark = false}));
    const BetOutcome more = PlaceBet(table, 20); // bets before the deal add up
    EXPECT_EQ(more.status, BetStatus::Accepted);
    EXPECT_FALSE(more.openedRound);
    EXPECT_EQ(table.CashOnHand, 75);
    EXPECT_EQ(table.BetAmount, 25);
    EXPECT_FALSE(ToggleDiscard(table, 0)); // a bet, no cards yet

    random.Add({Card(8, 1), Card(8, 2), Card(3, 3), Card(8, 4), Card(12, 1)});
    EXPECT_EQ(DealCommand(table, random).step, DealStep::Dealt);
    EXPECT_EQ(Permitted(table), (P{.bet = false, .deal = true, .mark = true}));
    EXPECT_EQ(PlaceBet(table, 5).status, BetStatus::Ignored); // the bet is fixed now
    EXPECT_EQ(Shown(2), (ShownCard{Card(3, 3), Side::Face}));
    // Mark the three and the queen; a second click takes a mark off; no slot beyond the five.
    for (int slot : {2, 4, 1, 1}) {
        EXPECT_TRUE(ToggleDiscard(table, slot));
    }
    EXPECT_FALSE(ToggleDiscard(table, -1));
    EXPECT_FALSE(ToggleDiscard(table, 5));
    EXPECT_EQ(Shown(2), (ShownCard{Card(3, 3), Side::InvertedFace}));

    random.Add({Card(3, 1), Card(3, 2)}); // a pair of threes: a full house
    const DealOutcome draw = DealCommand(table, random);
    ASSERT_EQ(draw.step, DealStep::Drew);
    EXPECT_EQ(draw.discards, (DiscardMarks{false, false, true, false, true}));
    EXPECT_EQ(draw.finalHand,
              (FiveCards{Card(8, 1), Card(8, 2), Card(3, 1), Card(8, 4), Card(3, 2)}));
    EXPECT_EQ(draw.settlement.category, Category::FullHouse);
    EXPECT_EQ(draw.settlement.moneyBefore, 75);
    EXPECT_EQ(table.CashOnHand, 375);
    EXPECT_EQ(table.Hand, (FiveCards{63, 63, 63, 63, 63}));
    EXPECT_EQ(Permitted(table), (P{.bet = true, .deal = false, .mark = false}));
    EXPECT_FALSE(ToggleDiscard(table, 1));
    EXPECT_EQ(DealCommand(table, random).step, DealStep::Ignored);
    // The settled hand stays face up until the next bet turns the cards down.
    EXPECT_EQ(Shown(2), (ShownCard{Card(3, 1), Side::Face}));
    PlaceBet(table, 5);
    EXPECT_EQ(Shown(2), (ShownCard{63, Side::Back}));
}

TEST(Settlement, EveryCategoryPaysItsMultipleOfTheBet) {
    struct Row {
        Category category;
        std::int64_t paid, gain, loss;
        const char* lastHand;
    };
    using C = Category;
    for (const Row& row :
         {Row{C::NotAWinningHand, 0, 0, 5, "Not a Winning Hand"},
          Row{C::OnePair, 5, 0, 0, "One Pair"}, // won, though nothing gained
          Row{C::TwoPair, 10, 5, 0, "Two Pair"}, Row{C::ThreeOfAKind, 15, 10, 0, "Three of a Kind"},
          Row{C::Straight, 25, 20, 0, "Straight"}, Row{C::Flush, 40, 35, 0, "Flush"},
          Row{C::FullHouse, 60, 55, 0, "Full House"},
          Row{C::FourOfAKind, 125, 120, 0, "Four of a Kind"},
          Row{C::FiveOfAKind, 200, 195, 0, "Five of a Kind"},
          Row{C::StraightFlush, 250, 245, 0, "Straight Flush"},
          Row{C::RoyalFlush, 500, 495, 0, "Royal Flush"}}) {
        Table table;
        table.CashOnHand = 95;
        table.BetAmount = 5;
        const Settlement s = SettleHand(table, row.category);
        EXPECT_EQ(table.CashOnHand, 95 + row.paid) << row.lastHand;
        EXPECT_EQ(s.paid, row.paid) << row.lastHand;
        EXPECT_EQ(s.won, row.paid > 0) << row.lastHand;
        EXPECT_EQ(s.gain, row.gain) << row.lastHand;
        EXPECT_EQ(s.loss, row.loss) << row.lastHand;
        EXPECT_EQ(s.lastHand, row.lastHand);
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

// A bet below $5 or not a number is ignored; one above the cash is refused with the missing
// dollars named.
TEST(PlaceBet, TheRefusalNamesTheShortfallOnItsSecondLine) {
    EXPECT_EQ(BetRefusal("$3"),
              "You don't have enough money to make that bet! \rYou are $3 short.");
}

TEST(PlaceBet, BetsAreCheckedAgainstTheMinimumAndTheCash) {
    struct Row {
        std::optional<std::int16_t> amount;
        BetStatus status;
        std::int64_t shortfall;
    };
    for (const Row& row :
         {Row{5, BetStatus::Accepted, 0}, Row{100, BetStatus::Accepted, 0},
          Row{4, BetStatus::Ignored, 0}, Row{-10, BetStatus::Ignored, 0},
          Row{std::nullopt, BetStatus::Ignored, 0}, Row{103, BetStatus::Refused, 3}}) {
        Table table;
        table.CashOnHand = 100;
        const int bet = row.status == BetStatus::Accepted ? *row.amount : 0;
        const BetOutcome outcome = PlaceBet(table, row.amount);
        EXPECT_EQ(outcome.status, row.status) << row.amount.value_or(-1);
        EXPECT_EQ(outcome.shortfall, row.shortfall);
        EXPECT_EQ(table.BetAmount, bet);
        EXPECT_EQ(table.CashOnHand, 100 - bet);
        EXPECT_EQ(table.DealState, bet ? DealStateCode::BetPlaced : DealStateCode::WaitingForBet);
    }
}

TEST(ChooseBack, APictureIsChosenAndTakenOnlyWhenTheWindowCloses) {
    Table table;
    ChooseBack(table, 1);
    EXPECT_EQ(table.OptionsCardBG, 53);
    EXPECT_EQ(table.CardBG, 63);
    for (int picture : {13, 0, 14}) { // 0 and 14 are no pictures: the choice stays
        ChooseBack(table, picture);
    }
    EXPECT_EQ(table.OptionsCardBG, 65);
    TakeChosenBack(table);
    EXPECT_EQ(table.CardBG, 65);
}

TEST(IsNumber, PassesDigitsAndBackspaceOnly) {
    for (char16_t key = 0; key < 256; ++key) {
        EXPECT_EQ(IsNumber(key), (key >= u'0' && key <= u'9') || key == 8) << int(key);
    }
    EXPECT_FALSE(IsNumber(u'\u0661')); // an Arabic-Indic digit is not one of ours
}

} // namespace
} // namespace corvanta
