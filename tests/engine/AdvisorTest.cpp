#include "engine/Advisor.h"
#include "engine/Trainer.h"
#include "support/ReferenceAdvisor.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

namespace corvanta {
namespace {

using test::HandOf;

constexpr std::uint64_t PowerOf52(int exponent) {
    return exponent == 0 ? 1 : 52 * PowerOf52(exponent - 1);
}

// A payback given as the sum of the multipliers over the 52^k draws of the k discards.
Payback OverDraws(std::uint64_t drawTotal, HoldMask kept) {
    return {drawTotal * PowerOf52(std::popcount(kept))};
}

const FiveCards FourToARoyal = HandOf({{10, 1}, {11, 1}, {12, 1}, {13, 1}, {3, 2}});

TEST(ExpectedPayback, MatchesTheCountByHand) {
    struct Row {
        const char* name;
        FiveCards hand;
        HoldMask kept;
        std::uint64_t drawTotal; // counted by hand over the 52^k draws
    };
    const Row rows[] = {
        {"straight stands pat", HandOf({{5, 1}, {6, 2}, {7, 3}, {8, 4}, {9, 1}}), AllKept, 5},
        {"royal flush stands pat", HandOf({{14, 2}, {13, 2}, {12, 2}, {11, 2}, {10, 2}}), AllKept,
         100},
        {"nothing stands pat", HandOf({{2, 1}, {5, 3}, {7, 2}, {9, 4}, {13, 1}}), AllKept, 0},
        // A repeated card makes a suited pair, and the flush test overwrites the pair.
        {"suited pair", HandOf({{2, 1}, {2, 1}, {7, 1}, {9, 1}, {13, 1}}), AllKept, 8},
        {"four in one suit", HandOf({{7, 1}, {7, 1}, {7, 1}, {7, 1}, {2, 1}}), AllKept, 25},
        // Ace 100, nine 50 (straight flush), 11 other spades 8 (flush, also over a pair),
        // 3 other aces and 3 other nines 5, 12 other tens to kings 1: 280.
        {"four to a royal flush", FourToARoyal, 0b01111, 280},
        // 4 sevens make five of a kind (40), the other 48 cards leave four (25).
        {"four of a kind draws one", HandOf({{7, 1}, {7, 2}, {7, 3}, {7, 4}, {2, 3}}), 0b01111,
         4 * 40 + 48 * 25},
        // 13 spades 8, 12 pairing cards of other suits 1.
        {"four to a flush", HandOf({{2, 1}, {5, 1}, {8, 1}, {11, 1}, {13, 3}}), 0b01111,
         13 * 8 + 12},
        // 8 fours and nines 5, 16 pairing cards 1.
        {"open-ended straight draw", HandOf({{5, 1}, {6, 2}, {7, 3}, {8, 4}, {13, 3}}), 0b01111,
         8 * 5 + 16},
        // The ace is high only: no card completes A-2-3-4, only the 16 pairing cards pay.
        {"no straight below the ace", HandOf({{14, 1}, {2, 2}, {3, 3}, {4, 4}, {13, 3}}), 0b01111,
         16},
        // Two nines 40 (16 draws), one nine 25 (384), a pair of another value 12 (192),
        // the other 2112 draws leave three nines 3.
        {"three of a kind draws two", HandOf({{9, 1}, {9, 2}, {9, 3}, {4, 4}, {13, 3}}), 0b00111,
         16 * 40 + 384 * 25 + 192 * 12 + 2112 * 3},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ExpectedPayback(row.hand, row.kept), OverDraws(row.drawTotal, row.kept))
            << row.name;
    }
}

// Against the advisor as first written, which counted every hold's draws anew: the same
// paybacks, the same order (ties included) and the same equal flags, on random hands and on
// hands with repeated cards and suited draws.
TEST(RankHolds, EqualsTheReferenceOnEveryHold) {
    std::vector<FiveCards> hands = test::SeededHands(300, 2718);
    for (const FiveCards& hand : {FourToARoyal, HandOf({{14, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}}),
                                  HandOf({{9, 2}, {9, 2}, {9, 2}, {5, 2}, {5, 4}}),
                                  HandOf({{13, 1}, {13, 2}, {13, 3}, {13, 4}, {13, 1}})}) {
        hands.push_back(hand);
    }
    for (const FiveCards& hand : hands) {
        const HoldRanking ranking = RankHolds(hand);
        const HoldRanking reference = test::ReferenceRankHolds(hand);
        for (std::size_t i = 0; i < ranking.size(); ++i) {
            ASSERT_EQ(ranking[i].kept, reference[i].kept)
                << "rank " << i << ", cards " << hand[0] << ' ' << hand[1] << ' ' << hand[2] << ' '
                << hand[3] << ' ' << hand[4];
            ASSERT_EQ(ranking[i].payback, reference[i].payback) << "mask " << ranking[i].kept;
            ASSERT_EQ(ranking[i].equalToPrevious, reference[i].equalToPrevious) << i;
            ASSERT_EQ(ExpectedPayback(hand, ranking[i].kept), ranking[i].payback) << i;
        }
    }
}

// A seven and an eight each sit in five straights, none of them royal, so keeping either alone
// is worth the same; in this hand of nothing that is the best one can do. Equal holds: the one
// keeping more cards first, then the lower mask.
TEST(RankHolds, EqualBestHoldsAreFlaggedAndTheTieRuleChooses) {
    const HoldRanking ranking = RankHolds(HandOf({{8, 1}, {4, 2}, {7, 3}, {2, 1}, {14, 4}}));
    EXPECT_EQ(ranking[0].kept, 0b00001u);
    EXPECT_FALSE(ranking[0].equalToPrevious);
    EXPECT_EQ(ranking[1].kept, 0b00100u);
    EXPECT_TRUE(ranking[1].equalToPrevious);
    EXPECT_FALSE(ranking[2].equalToPrevious);
}

TEST(BestHold, MarksTheDiscardsOfTheBestHold) {
    EXPECT_EQ(BestHoldDiscards(FourToARoyal), (DiscardMarks{false, false, false, false, true}));
    // Two pair: 8 of the 52 draws make a full house (12), the rest keep two pair (2).
    EXPECT_EQ(BestHoldDiscards(HandOf({{9, 2}, {5, 1}, {9, 4}, {5, 3}, {12, 1}})),
              (DiscardMarks{false, false, false, false, true}));
    EXPECT_EQ(BestHoldDiscards(HandOf({{5, 1}, {6, 2}, {7, 3}, {8, 4}, {9, 1}})), DiscardMarks{});
    EXPECT_EQ(DiscardsOf(0b10010), (DiscardMarks{true, false, true, true, false}));
    EXPECT_EQ(KeptBy(DiscardMarks{true, false, true, true, false}), 0b10010u);
}

// Giving up under 0.05 x bet against the best hold is a small mistake, from 0.05 a large one;
// a hold as good as the best is none, also when it is not the one listed first.
TEST(Trainer, TellsSmallFromLargeMistakesAndGradesTheSession) {
    const FiveCards aceThree = HandOf({{14, 4}, {3, 4}, {11, 1}, {5, 1}, {6, 3}});
    // Keeping the eight is listed first; keeping the seven returns exactly as much.
    const FiveCards eightOrSeven = HandOf({{8, 1}, {4, 2}, {7, 3}, {2, 1}, {14, 4}});
    const DiscardMarks keepTheSeven = {true, true, false, true, true};
    struct Row {
        FiveCards hand;
        DiscardMarks marks;
        Mistake mistake;
        double givenUp;
    };
    const Row rows[] = {
        {FourToARoyal, {false, false, false, false, true}, Mistake::None, 0},
        {FourToARoyal, {}, Mistake::Large, 280.0 / 52},                         // pat
        {aceThree, {false, false, true, true, true}, Mistake::Small, 0.048256}, // A-3 suited
        {HandOf({{11, 1}, {9, 4}, {10, 1}, {12, 2}, {14, 1}}),
         {false, false, false, false, true},
         Mistake::Large,
         0.051405}, // J-9-10-Q kept from J-9-10-Q-A
        {eightOrSeven, keepTheSeven, Mistake::None, 0},
    };
    TrainingSession session;
    EXPECT_EQ(session.Accuracy(), 0.0);
    session.Start(200);
    for (const Row& row : rows) {
        const DrawAdvice advice = AdviseDraw(row.hand, row.marks);
        EXPECT_EQ(advice.mistake, row.mistake) << row.givenUp;
        EXPECT_NEAR(advice.review.MultipleGivenUp(), row.givenUp, 1e-6);
        EXPECT_EQ(advice.review.matchedBest, row.mistake == Mistake::None) << row.givenUp;
        session.Record(row.hand, row.marks, 10, 190 + session.RoundsAdvised());
    }
    EXPECT_EQ(AdviseDraw(FourToARoyal, {}).bestHold, 0b01111u);
    EXPECT_EQ(AdviseDraw(eightOrSeven, keepTheSeven).bestHold, 0b00001u);
    EXPECT_EQ(session.RoundsAdvised(), 5);
    EXPECT_EQ(session.RoundsMatchingBest(), 2);
    EXPECT_EQ(session.SmallMistakes(), 1);
    EXPECT_EQ(session.LargeMistakes(), 2);
    EXPECT_EQ(session.Accuracy(), 0.4);
    EXPECT_NEAR(session.DollarsGivenUp(), 10 * (280.0 / 52 + 0.048256 + 0.051405), 1e-4);
    EXPECT_EQ(session.StartingBankroll(), 200);
    EXPECT_EQ(session.Rounds()[3].bankrollAfter, 193);
}

// The game's return: 2.1768 x bet under perfect play, the sum the advisor's first
// implementation found over all 52^10 rounds. Standing pat, a round ends in the category of
// the dealt hand with each of the 52^5 draw sequences: the ordered hands of five cards dealt
// with replacement, counted by hand (1020 of the 4^5 suit tuples are not all one suit).
TEST(ReturnTable, TheReturnsAndTheRoundsOfEachCategoryAreTheCountedOnes) {
    const ReturnTable returns = ComputeReturnTable();
    std::uint64_t standPatTotal = 0;
    for (const ReturnRow& row : returns.standPat) {
        standPatTotal += row.ContributionTotal();
    }
    // Five fresh cards are a fresh deal: standing pat is worth discarding all five.
    EXPECT_EQ(ExpectedPayback(test::SeededHands(1, 11)[0], 0).total * DrawSequences, standPatTotal);
    EXPECT_NEAR(ReturnPerRound(returns.standPat), 0.8869, 5e-5);
    struct Row {
        Category category;
        int multiplier;
        std::uint64_t hands;
    };
    constexpr Row rows[] = {
        {Category::NotAWinningHand, 0, 156'427'200}, // (C(13,5) - 9 straights) x 5! x 1020
        {Category::OnePair, 1, 175'032'000},         // 13 x C(12,3) x 5!/2! x 1020
        {Category::TwoPair, 2, 26'254'800},          // C(13,2) x 11 x 5!/(2! 2!) x 1020
        {Category::ThreeOfAKind, 3, 17'503'200},     // 13 x C(12,2) x 5!/3! x 1020
        {Category::Straight, 5, 1'101'600},          // 9 x 5! x 1020
        {Category::Flush, 8, 1'477'680},      // 4 x (13^5 - 13 five - 780 four - 9 x 5! straights)
        {Category::FullHouse, 12, 1'591'200}, // 13 x 12 x C(5,3) x 1020
        {Category::FourOfAKind, 25, 798'720}, // 13 x 12 x 5 x 4^5: in one suit still four
        {Category::FiveOfAKind, 40, 13'312},  // 13 x 4^5
        {Category::StraightFlush, 50, 3'840}, // 8 x 5! x 4
        {Category::RoyalFlush, 100, 480},     // 5! x 4
    };
    std::uint64_t perfectRounds = 0;
    std::uint64_t perfectTotal = 0;
    for (const Row& row : rows) {
        const auto code = static_cast<std::size_t>(row.category);
        EXPECT_EQ(returns.standPat[code].rounds, row.hands * DrawSequences) << code;
        EXPECT_EQ(returns.standPat[code].multiplier, row.multiplier) << code;
        EXPECT_EQ(returns.perfectPlay[code].multiplier, row.multiplier) << code;
        perfectRounds += returns.perfectPlay[code].rounds;
        perfectTotal += returns.perfectPlay[code].ContributionTotal();
    }
    EXPECT_EQ(perfectRounds, 144'555'105'949'057'024u); // 52^10
    EXPECT_EQ(perfectTotal, 314'662'914'199'966'720u);
    EXPECT_NEAR(ReturnPerRound(returns.perfectPlay), 2.1768, 5e-5);
    const ReturnRow& royal = returns.standPat[static_cast<std::size_t>(Category::RoyalFlush)];
    EXPECT_DOUBLE_EQ(royal.Probability(), 480.0 / DrawSequences);
    EXPECT_DOUBLE_EQ(royal.Contribution(), 48'000.0 / DrawSequences);
}

} // namespace
} // namespace corvanta
