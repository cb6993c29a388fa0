#include "engine/Round.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvanta {
namespace {

using testing::Card;
using testing::ScriptedRandom;

struct RoundFixture : ::testing::Test {
    RoundFixture() {
        bank.AccountCount = 1;
        bank.GCNum = 1;
        AssignText(bank.AccountTable[1].Name, "Default");
        bank.AccountTable[1].Savings = 100;
        table.CashOnHand = 100;
        ResetTable(table);
    }
    AccountRecord& account() { return bank.AccountTable[1]; }

    Table table;
    Bank bank;
    ScriptedRandom random;
};

TEST_F(RoundFixture, AWholeScriptedRound) {
    // Bet: the money moves from the cash to the bet and the round opens.
    BetOutcome bet = PlaceBet(table, "5");
    EXPECT_EQ(bet.status, BetStatus::Accepted);
    EXPECT_TRUE(bet.openedRound);
    EXPECT_EQ(table.CashOnHand, 95);
    EXPECT_EQ(table.BetAmount, 5);
    EXPECT_EQ(table.DealState, DealStateCode::BetPlaced);

    // Deal: five new cards face up, one number per slot.
    random.Add({Card(8, 1), Card(8, 2), Card(3, 3), Card(8, 4), Card(12, 1)});
    EXPECT_EQ(DealCommand(table, bank, random).step, DealStep::Dealt);
    EXPECT_EQ(table.DealState, DealStateCode::CardsDealt);
    EXPECT_FALSE(table.ShowBacks);
    EXPECT_EQ(table.Hand[2], Card(3, 3));
    EXPECT_EQ(table.Discard, (std::array<bool, HandSize>{}));

    // Mark the three and the queen; the draw brings a pair of threes: a full house.
    table.Discard[2] = true;
    table.Discard[4] = true;
    random.Add({Card(3, 1), Card(3, 2)});
    const DealOutcome draw = DealCommand(table, bank, random);
    ASSERT_EQ(draw.step, DealStep::Drew);
    EXPECT_EQ(random.Remaining(), 0u);
    EXPECT_EQ(draw.finalHand, (std::array<std::int16_t, HandSize>{
                                  Card(8, 1), Card(8, 2), Card(3, 1), Card(8, 4), Card(3, 2)}));
    EXPECT_EQ(draw.settlement.category, Category::FullHouse);
    EXPECT_EQ(draw.settlement.lastHand, "Full House");
    EXPECT_EQ(draw.settlement.moneyBefore, 95);
    EXPECT_EQ(draw.settlement.bet, 5);
    EXPECT_EQ(draw.settlement.paid, 60);
    EXPECT_EQ(table.CashOnHand, 155);
    EXPECT_EQ(table.BetAmount, 0);
    EXPECT_EQ(table.DealState, DealStateCode::WaitingForBet);
    EXPECT_TRUE(table.ShowBacks);
    EXPECT_EQ(table.Hand, (std::array<std::int16_t, HandSize>{63, 63, 63, 63, 63}));
    EXPECT_EQ(account().RoundsPlayed, 1);
    EXPECT_EQ(account().RoundsWon, 1);
    EXPECT_EQ(account().RoundsLost, 0);
    EXPECT_EQ(account().AmountWon, 55);
    EXPECT_FALSE(draw.offerLoan);

    // Between rounds the Deal command does nothing.
    EXPECT_EQ(DealCommand(table, bank, random).step, DealStep::Ignored);
}

TEST_F(RoundFixture, DrawWithNothingMarkedSettlesTheDealtHand) {
    PlaceBet(table, "10");
    random.Add({Card(2, 1), Card(2, 2), Card(7, 3), Card(9, 4), Card(13, 1)});
    DealCommand(table, bank, random);
    const DealOutcome draw = DealCommand(table, bank, random);
    EXPECT_EQ(random.drawn, 5);
    EXPECT_EQ(draw.settlement.category, Category::OnePair);
    EXPECT_EQ(draw.settlement.paid, 10); // the bet back, nothing gained
    EXPECT_EQ(table.CashOnHand, 100);
    EXPECT_EQ(account().RoundsWon, 1);
    EXPECT_EQ(account().AmountWon, 0);
}

TEST_F(RoundFixture, LosingHandCountsTheStakeAndMayOfferTheLoan) {
    table.CashOnHand = 40;
    account().Savings = 10;
    PlaceBet(table, "25");
    random.Add({Card(2, 1), Card(5, 2), Card(7, 3), Card(9, 4), Card(13, 1)});
    DealCommand(table, bank, random);
    const DealOutcome draw = DealCommand(table, bank, random);
    EXPECT_EQ(draw.settlement.lastHand, "Not a Winning Hand");
    EXPECT_EQ(draw.settlement.paid, 0);
    EXPECT_EQ(table.CashOnHand, 15);
    EXPECT_EQ(account().RoundsLost, 1);
    EXPECT_EQ(account().AmountLost, 25);
    EXPECT_TRUE(draw.offerLoan);
}

TEST(Settlement, EveryCategoryPaysItsMultiple) {
    for (int code = 0; code <= 10; ++code) {
        Table table;
        table.CashOnHand = 95;
        table.BetAmount = 5;
        AccountRecord account;
        const Settlement s = SettleHand(table, account, static_cast<Category>(code));
        const int k = PayoffTable[code].multiplier;
        EXPECT_EQ(table.CashOnHand, 95 + k * 5) << code;
        EXPECT_EQ(s.paid, k * 5) << code;
        EXPECT_EQ(account.AmountWon, k > 0 ? (k - 1) * 5 : 0) << code;
        EXPECT_EQ(account.RoundsWon + account.RoundsLost, 1) << code;
        EXPECT_EQ(account.AmountLost, k > 0 ? 0 : 5) << code;
    }
    EXPECT_EQ(PayoffTable[10].multiplier, 100);
    EXPECT_EQ(PayoffTable[8].lastHand, "Five of a Kind");
    EXPECT_EQ(PayoffTable[8].caption, "40x");
}

TEST(Settlement, MoneyAndCountersStopAtTheirLimits) {
    Table table;
    table.CashOnHand = std::numeric_limits<std::int32_t>::max() - 10;
    table.BetAmount = 30000;
    AccountRecord account;
    account.RoundsWon = std::numeric_limits<std::int16_t>::max();
    account.AmountWon = std::numeric_limits<std::int32_t>::max() - 1;
    SettleHand(table, account, Category::RoyalFlush);
    EXPECT_EQ(table.CashOnHand, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(account.RoundsWon, std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(account.AmountWon, std::numeric_limits<std::int32_t>::max());

    account.RoundsLost = std::numeric_limits<std::int16_t>::max();
    account.AmountLost = std::numeric_limits<std::int32_t>::max();
    SettleHand(table, account, Category::NotAWinningHand);
    EXPECT_EQ(account.RoundsLost, std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(account.AmountLost, std::numeric_limits<std::int32_t>::max());
}

TEST_F(RoundFixture, RoundsPlayedStopsAt32767) {
    account().RoundsPlayed = 32767;
    PlaceBet(table, "5");
    random.Add({1, 2, 3, 4, 5});
    DealCommand(table, bank, random);
    DealCommand(table, bank, random);
    EXPECT_EQ(account().RoundsPlayed, 32767);
}

TEST_F(RoundFixture, BetsAreReadConvertedAndCheckedAgainstMinimumAndCash) {
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
        Table fresh;
        fresh.CashOnHand = 100;
        ResetTable(fresh);
        const BetOutcome outcome = PlaceBet(fresh, row.text);
        EXPECT_EQ(outcome.status, row.status) << row.text;
        EXPECT_EQ(fresh.BetAmount, row.bet) << row.text;
        EXPECT_EQ(fresh.CashOnHand, 100 - row.bet) << row.text;
        EXPECT_EQ(fresh.DealState,
                  row.bet ? DealStateCode::BetPlaced : DealStateCode::WaitingForBet)
            << row.text;
    }
}

TEST_F(RoundFixture, ShortfallMessageNamesTheMissingDollars) {
    table.CashOnHand = 3;
    const BetOutcome outcome = PlaceBet(table, "5");
    EXPECT_EQ(outcome.status, BetStatus::Refused);
    EXPECT_EQ(outcome.message, "You don't have enough money to make that bet! \rYou are $2 short.");
    EXPECT_EQ(table.CashOnHand, 3);
    EXPECT_EQ(table.DealState, DealStateCode::WaitingForBet);
}

TEST_F(RoundFixture, FurtherBetsBeforeTheDealAddUpAndBettingClosesAtTheDeal) {
    EXPECT_TRUE(PlaceBet(table, "30").openedRound);
    const BetOutcome second = PlaceBet(table, "20");
    EXPECT_EQ(second.status, BetStatus::Accepted);
    EXPECT_FALSE(second.openedRound);
    EXPECT_EQ(table.BetAmount, 50);
    EXPECT_EQ(table.CashOnHand, 50);
    random.Add({1, 2, 3, 4, 5});
    DealCommand(table, bank, random);
    EXPECT_EQ(PlaceBet(table, "5").status, BetStatus::Ignored);
    EXPECT_EQ(table.BetAmount, 50);
}

} // namespace
} // namespace corvanta
