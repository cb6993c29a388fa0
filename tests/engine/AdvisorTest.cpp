#include "engine/Advisor.h"
#include "support/BruteForcePayback.h"
#include "support/ReferenceAdvisor.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <vector>

namespace corvanta {
namespace {

using test::BruteForceDrawTotal;
using test::Card;
using test::HandOf;
using test::ReferenceRankHolds;
using test::SeededHands;

constexpr std::uint64_t PowerOf52(int exponent) {
    return exponent == 0 ? 1 : 52 * PowerOf52(exponent - 1);
}

// A payback given as the sum of the multipliers over the 52^k draws of k discards.
Payback OverDraws(std::uint64_t drawTotal, int discards) {
    return {drawTotal * PowerOf52(HandSize - discards)};
}

int Discards(HoldMask kept) {
    return HandSize - std::popcount(kept);
}

// Hands whose holds reach the rare categories: suited draws, straight draws at both ends,
// repeated cards.
std::vector<FiveCards> ShapedHands() {
    return {
        HandOf({{10, 1}, {11, 1}, {12, 1}, {13, 1}, {3, 2}}),
        HandOf({{14, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}}),
        HandOf({{9, 2}, {9, 2}, {9, 2}, {5, 2}, {5, 4}}),
        HandOf({{6, 4}, {7, 4}, {8, 4}, {9, 1}, {12, 4}}),
        HandOf({{13, 1}, {13, 2}, {13, 3}, {13, 4}, {13, 1}}),
        HandOf({{2, 1}, {2, 2}, {14, 1}, {14, 2}, {7, 3}}),
    };
}

void ExpectBruteForceAgrees(const std::vector<FiveCards>& hands, int minDiscards, int maxDiscards) {
    for (const FiveCards& hand : hands) {
        for (HoldMask kept = 0; kept <= AllKept; ++kept) {
            const int discards = Discards(kept);
            if (discards < minDiscards || discards > maxDiscards) {
                continue;
            }
            ASSERT_EQ(ExpectedPayback(hand, kept),
                      OverDraws(BruteForceDrawTotal(hand, kept), discards))
                << "cards " << hand[0] << ' ' << hand[1] << ' ' << hand[2] << ' ' << hand[3] << ' '
                << hand[4] << ", kept mask " << kept;
        }
    }
}

// The brute force evaluates every draw: 52^2 per hold is quick, 52^3 takes most of a
// second per hand in a debug build. The sanitizer build checks fewer hands.
#ifdef __SANITIZE_ADDRESS__
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif

TEST(ExpectedPayback, EqualsEveryDrawEvaluatedUpToTwoDiscards) {
    ExpectBruteForceAgrees(ShapedHands(), 0, 2);
    ExpectBruteForceAgrees(SeededHands(Sanitized ? 60 : 200, 9), 0, 2);
}

TEST(ExpectedPayback, EqualsEveryDrawEvaluatedForThreeDiscards) {
    // Suited draws to a royal flush, to an ace-to-five straight flush, and a full house of
    // repeated cards; then a random hand.
    std::vector<FiveCards> hands = ShapedHands();
    hands.resize(Sanitized ? 1 : 3);
    if (!Sanitized) {
        hands.push_back(SeededHands(1, 31)[0]);
    }
    ExpectBruteForceAgrees(hands, 3, 3);
}

struct KnownCase {
    const char* name;
    FiveCards hand;
    HoldMask kept;
    std::uint64_t drawTotal; // counted by hand over the 52^k draws
    friend void PrintTo(const KnownCase& c, std::ostream* os) { *os << c.name; }
};

class KnownPaybacks : public ::testing::TestWithParam<KnownCase> {};

TEST_P(KnownPaybacks, MatchTheCountByHand) {
    const KnownCase& c = GetParam();
    EXPECT_EQ(ExpectedPayback(c.hand, c.kept), OverDraws(c.drawTotal, Discards(c.kept)));
}

INSTANTIATE_TEST_SUITE_P(
    Holds, KnownPaybacks,
    ::testing::Values(
        KnownCase{"MadeStraightStandsPat", HandOf({{5, 1}, {6, 2}, {7, 3}, {8, 4}, {9, 1}}),
                  AllKept, 5},
        KnownCase{"RoyalFlushStandsPat", HandOf({{14, 2}, {13, 2}, {12, 2}, {11, 2}, {10, 2}}),
                  AllKept, 100},
        KnownCase{"NothingStandsPat", HandOf({{2, 1}, {5, 3}, {7, 2}, {9, 4}, {13, 1}}), AllKept,
                  0},
        // A repeated card makes a suited pair, and the flush test overwrites the pair.
        KnownCase{"SuitedPairPaysAsFlush", HandOf({{2, 1}, {2, 1}, {7, 1}, {9, 1}, {13, 1}}),
                  AllKept, 8},
        KnownCase{"FourOfAKindInOneSuitStaysFour", HandOf({{7, 1}, {7, 1}, {7, 1}, {7, 1}, {2, 1}}),
                  AllKept, 25},
        // Ace 100, nine 50 (straight flush), 11 other spades 8 (flush, also over a pair),
        // 3 other aces and 3 other nines 5, 12 other tens to kings 1: 280.
        KnownCase{"FourToARoyalFlush", HandOf({{10, 1}, {11, 1}, {12, 1}, {13, 1}, {3, 2}}),
                  0b01111, 280},
        // 4 sevens make five of a kind (40), the other 48 cards leave four (25).
        KnownCase{"FourOfAKindDrawsOne", HandOf({{7, 1}, {7, 2}, {7, 3}, {7, 4}, {2, 3}}), 0b01111,
                  4 * 40 + 48 * 25},
        // 13 spades 8, 12 pairing cards of other suits 1.
        KnownCase{"FourToAFlush", HandOf({{2, 1}, {5, 1}, {8, 1}, {11, 1}, {13, 3}}), 0b01111,
                  13 * 8 + 12},
        // 8 fours and nines 5, 16 pairing cards 1.
        KnownCase{"OpenEndedStraightDraw", HandOf({{5, 1}, {6, 2}, {7, 3}, {8, 4}, {13, 3}}),
                  0b01111, 8 * 5 + 16},
        // The ace is high only: no card completes A-2-3-4, only the 16 pairing cards pay.
        KnownCase{"NoStraightBelowTheAce", HandOf({{14, 1}, {2, 2}, {3, 3}, {4, 4}, {13, 3}}),
                  0b01111, 16},
        // Two nines 40 (16 draws), one nine 25 (384), a pair of another value 12 (192),
        // the other 2112 draws leave three nines 3.
        KnownCase{"ThreeOfAKindDrawsTwo", HandOf({{9, 1}, {9, 2}, {9, 3}, {4, 4}, {13, 3}}),
                  0b00111, 16 * 40 + 384 * 25 + 192 * 12 + 2112 * 3}));

TEST(ExpectedPayback, APairOfTwosBeatsThePairWithAKicker) {
    const FiveCards hand = HandOf({{2, 1}, {2, 2}, {7, 3}, {9, 4}, {13, 1}});
    EXPECT_GT(ExpectedPayback(hand, 0b00011), ExpectedPayback(hand, 0b10011));
}

// The lookups against the advisor as first written, which counted every hold's draws anew:
// the same paybacks, the same order (ties included) and the same equal flags, on random
// hands and on the shaped ones with repeated cards and suited draws.
TEST(RankHolds, EqualsTheReferenceOnEveryHold) {
    std::vector<FiveCards> hands = SeededHands(Sanitized ? 100 : 1000, 2718);
    for (const FiveCards& hand : ShapedHands()) {
        hands.push_back(hand);
    }
    for (const FiveCards& hand : hands) {
        const HoldRanking ranking = RankHolds(hand);
        const HoldRanking reference = ReferenceRankHolds(hand);
        for (std::size_t i = 0; i < ranking.size(); ++i) {
            ASSERT_EQ(ranking[i].kept, reference[i].kept)
                << "rank " << i << ", cards " << hand[0] << ' ' << hand[1] << ' ' << hand[2] << ' '
                << hand[3] << ' ' << hand[4];
            ASSERT_EQ(ranking[i].payback, reference[i].payback) << "mask " << ranking[i].kept;
            ASSERT_EQ(ranking[i].equalToPrevious, reference[i].equalToPrevious) << "rank " << i;
            ASSERT_EQ(ExpectedPayback(hand, reference[i].kept), reference[i].payback)
                << "mask " << reference[i].kept;
        }
    }
}

// A seven and an eight each sit in five straights, none of them royal, so keeping either
// one alone is worth the same; in this hand of nothing that is the best one can do.
const FiveCards TwoBestHolds = HandOf({{8, 1}, {4, 2}, {7, 3}, {2, 1}, {14, 4}});

TEST(RankHolds, EqualBestHoldsAreFlaggedAndTheTieRuleChooses) {
    const HoldRanking ranking = RankHolds(TwoBestHolds);
    EXPECT_EQ(ranking[0].kept, 0b00001u);
    EXPECT_FALSE(ranking[0].equalToPrevious);
    EXPECT_EQ(ranking[1].kept, 0b00100u);
    EXPECT_TRUE(ranking[1].equalToPrevious);
    EXPECT_FALSE(ranking[2].equalToPrevious);
    EXPECT_GT(ranking[1].payback, ranking[2].payback);
}

TEST(RankHolds, AStandingRoyalFlushIsTheOnlyBestHold) {
    const HoldRanking ranking = RankHolds(HandOf({{10, 3}, {11, 3}, {12, 3}, {13, 3}, {14, 3}}));
    EXPECT_EQ(ranking[0].kept, AllKept);
    EXPECT_EQ(ranking[0].payback, OverDraws(100, 0));
    EXPECT_FALSE(ranking[1].equalToPrevious);
}

TEST(BestHold, MarksTheDiscardsOfTheBestHold) {
    EXPECT_EQ(BestHoldDiscards(HandOf({{10, 1}, {11, 1}, {12, 1}, {13, 1}, {3, 2}})),
              (DiscardMarks{false, false, false, false, true}));
    // Two pair: 8 of the 52 draws make a full house (12), the rest keep two pair (2).
    EXPECT_EQ(BestHoldDiscards(HandOf({{9, 2}, {5, 1}, {9, 4}, {5, 3}, {12, 1}})),
              (DiscardMarks{false, false, false, false, true}));
    EXPECT_EQ(BestHoldDiscards(HandOf({{5, 1}, {6, 2}, {7, 3}, {8, 4}, {9, 1}})),
              (DiscardMarks{false, false, false, false, false}));
}

TEST(BestHold, DiscardsAndKeptSlotsConvertBothWays) {
    EXPECT_EQ(DiscardsOf(0b10010), (DiscardMarks{true, false, true, true, false}));
    EXPECT_EQ(KeptBy(DiscardMarks{true, false, true, true, false}), 0b10010u);
    EXPECT_EQ(DiscardsOf(0), (DiscardMarks{true, true, true, true, true}));
    EXPECT_EQ(KeptBy(DiscardMarks{}), AllKept);
}

class Figures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        figures = ComputeGameFigures();
        returns = ComputeReturnTable();
    }
    static inline GameFigures figures;
    static inline ReturnTable returns;
};

TEST_F(Figures, StandingPatEqualsDiscardingAllFive) {
    // Five fresh cards are a fresh deal: two different computations of the same number.
    for (const FiveCards& hand : SeededHands(3, 11)) {
        EXPECT_EQ(ExpectedPayback(hand, 0).total * DrawSequences, figures.standPatTotal);
        EXPECT_DOUBLE_EQ(ExpectedPayback(hand, 0).Multiple(), figures.StandPat());
    }
}

TEST_F(Figures, PerfectPlayReturnsWhatTheEnumeratingAdvisorSummed) {
    // 2.1768 x bet: the sum the advisor's first implementation, which enumerated every
    // hold's draws, found over all 52^10 rounds.
    EXPECT_EQ(figures.perfectPlayTotal, 314'662'914'199'966'720u);
}

// Standing pat, a round ends in the category of the dealt hand, with each of the 52^5 draw
// sequences. The ordered hands of five cards dealt with replacement, counted by hand; 1020
// of the 4^5 suit tuples are not all one suit.
TEST_F(Figures, StandingPatRowsCountTheDealtHands) {
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
    for (const Row& row : rows) {
        const auto code = static_cast<std::size_t>(row.category);
        EXPECT_EQ(returns.standPat[code].rounds, row.hands * DrawSequences) << code;
        EXPECT_EQ(returns.standPat[code].multiplier, row.multiplier) << code;
        EXPECT_EQ(returns.perfectPlay[code].multiplier, row.multiplier) << code;
    }
    const ReturnRow& royal = returns.standPat[static_cast<std::size_t>(Category::RoyalFlush)];
    EXPECT_DOUBLE_EQ(royal.Probability(), 480.0 / DrawSequences);
    EXPECT_DOUBLE_EQ(royal.Contribution(), 48'000.0 / DrawSequences);
}

// The rows count every round once, and their contributions, exact integers, add up to the
// returns the game figures find from the paybacks alone.
TEST_F(Figures, ReturnRowsAddUpToEveryRoundAndToTheReturns) {
    struct Sums {
        std::uint64_t rounds = 0;
        std::uint64_t total = 0;
        double contribution = 0;
    };
    auto add = [](const std::array<ReturnRow, CategoryCount>& rows) {
        Sums sums;
        for (const ReturnRow& row : rows) {
            sums.rounds += row.rounds;
            sums.total += row.ContributionTotal();
            sums.contribution += row.Contribution();
        }
        return sums;
    };
    const Sums perfectPlay = add(returns.perfectPlay);
    const Sums standPat = add(returns.standPat);
    EXPECT_EQ(perfectPlay.rounds, 144'555'105'949'057'024u); // 52^10
    EXPECT_EQ(standPat.rounds, 144'555'105'949'057'024u);
    EXPECT_EQ(perfectPlay.total, figures.perfectPlayTotal);
    EXPECT_EQ(standPat.total, figures.standPatTotal);
    EXPECT_NEAR(perfectPlay.contribution, 2.1768, 5e-5);
    EXPECT_NEAR(standPat.contribution, 0.8869, 5e-5);
}

TEST(ReviewMarks, ComparesTheMarksWithTheBestHoldOfTheRanking) {
    const FiveCards fourToARoyal = HandOf({{10, 1}, {11, 1}, {12, 1}, {13, 1}, {3, 2}});
    const HoldRanking ranking = RankHolds(fourToARoyal);

    const MarksReview best = ReviewMarks(ranking, DiscardMarks{false, false, false, false, true});
    EXPECT_TRUE(best.matchedBest);
    EXPECT_EQ(best.played.total, 280u * PowerOf52(4));
    EXPECT_EQ(best.best.total, 280u * PowerOf52(4));

    // Throwing the four royal cards away and keeping the three.
    const MarksReview worse = ReviewMarks(ranking, DiscardMarks{true, true, true, true, false});
    EXPECT_FALSE(worse.matchedBest);
    EXPECT_EQ(worse.best.total, 280u * PowerOf52(4));
    EXPECT_EQ(worse.played, ExpectedPayback(fourToARoyal, 0b10000));
    EXPECT_LT(worse.played, worse.best);
    EXPECT_GT(worse.MultipleGivenUp(), 0.0);
    EXPECT_LT(worse.MultipleGivenUp(), 280.0 / 52);
}

} // namespace
} // namespace corvanta
