#include "engine/basPoker.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace corvanta {
namespace {

using test::Card;
using test::HandOf;

TEST(CardNumbers, ValueAndSuitFollowRankAndSuitOfTheNumber) {
    struct Row {
        int card, value, suit;
    };
    for (const Row& row : {Row{0, 14, 1}, Row{1, 14, 2}, Row{2, 14, 3}, Row{3, 14, 4}, Row{4, 2, 1},
                           Row{47, 12, 4}, Row{48, 13, 1}, Row{51, 13, 4}, Row{36, 10, 1},
                           Row{63, 0, 0}, Row{52, 0, 0}, Row{-1, 0, 0}}) {
        EXPECT_EQ(CardValue(row.card), row.value) << row.card;
        EXPECT_EQ(CardSuit(row.card), row.suit) << row.card;
    }
}

TEST(CardNumbers, FacesAndBacksAreSeparateRanges) {
    for (int card : {0, 26, 51}) {
        EXPECT_TRUE(IsFace(card)) << card;
        EXPECT_FALSE(IsBack(card)) << card;
    }
    for (int card : {53, 63, 65}) {
        EXPECT_TRUE(IsBack(card)) << card;
        EXPECT_FALSE(IsFace(card)) << card;
    }
    for (int card : {-1, 52, 66}) { // 52 is neither
        EXPECT_FALSE(IsFace(card)) << card;
        EXPECT_FALSE(IsBack(card)) << card;
    }
    EXPECT_EQ(RankOf(45), 11); // the queen of diamonds
    EXPECT_EQ(SuitOf(45), 1);
}

struct CategoryCase {
    const char* name;
    FiveCards hand;
    Category expected;
    friend void PrintTo(const CategoryCase& c, std::ostream* os) { *os << c.name; }
};

class Categories : public ::testing::TestWithParam<CategoryCase> {};

TEST_P(Categories, ClassifiesByTheFixedOrderOfTests) {
    EXPECT_EQ(EvaluateHand(GetParam().hand).category, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Hands, Categories,
    ::testing::Values(
        CategoryCase{"TwosAreEnough", HandOf({{2, 1}, {2, 3}, {7, 2}, {9, 4}, {13, 1}}),
                     Category::OnePair},
        CategoryCase{"NothingAtAll", HandOf({{2, 1}, {5, 3}, {7, 2}, {9, 4}, {13, 1}}),
                     Category::NotAWinningHand},
        CategoryCase{"TwoPair", HandOf({{5, 1}, {9, 3}, {5, 2}, {9, 4}, {13, 1}}),
                     Category::TwoPair},
        CategoryCase{"Three", HandOf({{8, 1}, {3, 3}, {8, 2}, {8, 4}, {13, 1}}),
                     Category::ThreeOfAKind},
        CategoryCase{"FullHouseThreeFirst", HandOf({{8, 1}, {8, 3}, {8, 2}, {4, 4}, {4, 1}}),
                     Category::FullHouse},
        CategoryCase{"FullHousePairFirst", HandOf({{4, 4}, {8, 1}, {4, 1}, {8, 3}, {8, 2}}),
                     Category::FullHouse},
        CategoryCase{"RoyalStraightMixed", HandOf({{10, 1}, {11, 2}, {12, 3}, {13, 4}, {14, 1}}),
                     Category::Straight},
        CategoryCase{"RoyalFlush", HandOf({{14, 2}, {13, 2}, {12, 2}, {11, 2}, {10, 2}}),
                     Category::RoyalFlush},
        CategoryCase{"StraightFlush", HandOf({{9, 3}, {10, 3}, {11, 3}, {12, 3}, {13, 3}}),
                     Category::StraightFlush},
        CategoryCase{"LowStraight", HandOf({{2, 3}, {3, 1}, {4, 3}, {5, 3}, {6, 3}}),
                     Category::Straight},
        CategoryCase{"AceIsNeverLow", HandOf({{14, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 1}}),
                     Category::NotAWinningHand},
        CategoryCase{"SumFifteenWithAPair", HandOf({{2, 1}, {3, 2}, {4, 3}, {7, 4}, {4, 1}}),
                     Category::OnePair},
        CategoryCase{"Flush", HandOf({{2, 4}, {5, 4}, {7, 4}, {9, 4}, {13, 4}}), Category::Flush},
        CategoryCase{"FlushOverwritesPair", HandOf({{2, 4}, {2, 4}, {7, 4}, {9, 4}, {13, 4}}),
                     Category::Flush},
        CategoryCase{"FlushOverwritesTwoPair", HandOf({{2, 4}, {2, 4}, {7, 4}, {7, 4}, {13, 4}}),
                     Category::Flush},
        CategoryCase{"FlushOverwritesThree", HandOf({{2, 4}, {2, 4}, {2, 4}, {7, 4}, {13, 4}}),
                     Category::Flush},
        CategoryCase{"FlushOverwritesFullHouse", HandOf({{2, 4}, {2, 4}, {2, 4}, {7, 4}, {7, 4}}),
                     Category::Flush},
        CategoryCase{"FourInOneSuitStaysFour", HandOf({{6, 1}, {6, 1}, {6, 1}, {6, 1}, {9, 1}}),
                     Category::FourOfAKind},
        CategoryCase{"FourOfAKind", HandOf({{6, 1}, {6, 2}, {9, 1}, {6, 3}, {6, 4}}),
                     Category::FourOfAKind},
        CategoryCase{"SameCardFiveTimes", HandOf({{12, 3}, {12, 3}, {12, 3}, {12, 3}, {12, 3}}),
                     Category::FiveOfAKind},
        CategoryCase{"FourSuitsAndARepeat", HandOf({{7, 1}, {7, 2}, {7, 3}, {7, 4}, {7, 2}}),
                     Category::FiveOfAKind}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Evaluation, TraceAndStraightFiguresOfAPlainPair) {
    const Evaluation e = EvaluateHand(HandOf({{2, 1}, {2, 3}, {7, 2}, {9, 4}, {13, 1}}));
    EXPECT_EQ(e.trace, " >> Checkflush: False >> CheckStraight: False >> CheckRF: False");
    EXPECT_EQ((Values{2, 2, 7, 9, 13}), e.values);
    EXPECT_EQ((Values{1, 3, 2, 4, 1}), e.suits);
    EXPECT_EQ(e.straight.LNum, 2);
    EXPECT_EQ(e.straight.SubNum, 1);
    EXPECT_EQ(e.straight.FAdd, 1 + 1 + 6 + 8 + 12);
}

TEST(Evaluation, RoyalStraightInMixedSuitsRaisesTheRoyalFlagOnly) {
    const Evaluation e = EvaluateHand(HandOf({{14, 1}, {10, 2}, {12, 3}, {11, 4}, {13, 1}}));
    EXPECT_EQ(e.category, Category::Straight);
    EXPECT_EQ(e.straight.LNum, 10);
    EXPECT_EQ(e.straight.SubNum, 9);
    EXPECT_EQ(e.straight.FAdd, 15);
    EXPECT_EQ(e.trace, " >> Checkflush: False >> CheckStraight: True >> CheckRF: True");
}

TEST(Evaluation, RoyalFlagDoesNotCarryOverToTheNextHand) {
    EvaluateHand(HandOf({{10, 2}, {11, 2}, {12, 2}, {13, 2}, {14, 2}}));
    EXPECT_EQ(EvaluateHand(HandOf({{9, 2}, {10, 2}, {11, 2}, {12, 2}, {13, 2}})).category,
              Category::StraightFlush);
}

TEST(Evaluation, WheelIsNoStraight) {
    const Evaluation e = EvaluateHand(HandOf({{14, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 1}}));
    EXPECT_EQ(e.straight.LNum, 2);
    EXPECT_EQ(e.straight.SubNum, 1);
    EXPECT_EQ(e.straight.FAdd, 23);
    EXPECT_FALSE(e.straight.straight);
}

TEST(Evaluation, FourAndFiveOfAKindSkipTheFlushAndStraightTests) {
    for (const FiveCards& hand : {HandOf({{7, 1}, {7, 1}, {7, 1}, {7, 1}, {7, 1}}),
                                  HandOf({{7, 1}, {7, 2}, {7, 3}, {7, 4}, {8, 1}})}) {
        const Evaluation e = EvaluateHand(hand);
        EXPECT_FALSE(e.testsRan);
        EXPECT_TRUE(e.trace.empty());
    }
}

// CheckKinds walks the slots in order; its answer must still depend only on how often
// each value occurs. Compared with a plain count over many random hands.
TEST(Evaluation, KindsDependOnlyOnTheValuePattern) {
    std::mt19937 generator(12345);
    std::uniform_int_distribution<int> value(2, 14);
    for (int round = 0; round < 20000; ++round) {
        Values values{};
        std::map<int, int> counts;
        for (int& v : values) {
            v = value(generator) % 5 + 2; // few values, so patterns repeat often
            ++counts[v];
        }
        std::vector<int> pattern;
        for (auto [v, n] : counts) {
            pattern.push_back(n);
        }
        std::sort(pattern.rbegin(), pattern.rend());
        static const std::map<std::vector<int>, Category> expected = {
            {{5}, Category::FiveOfAKind},
            {{4, 1}, Category::FourOfAKind},
            {{3, 2}, Category::FullHouse},
            {{3, 1, 1}, Category::ThreeOfAKind},
            {{2, 2, 1}, Category::TwoPair},
            {{2, 1, 1, 1}, Category::OnePair},
            {{1, 1, 1, 1, 1}, Category::NotAWinningHand}};
        ASSERT_EQ(CheckKinds(values).category, expected.at(pattern))
            << values[0] << ' ' << values[1] << ' ' << values[2] << ' ' << values[3] << ' '
            << values[4];
    }
}

// The table behind FastCategory against the rules on every tuple of five values, in one
// suit and in mixed suits (the odd suit moving from slot to slot), in any order.
TEST(FastCategory, AgreesWithTheRulesOnEveryValueTuple) {
    for (int code = 0; code < 13 * 13 * 13 * 13 * 13; ++code) {
        Values values{};
        for (int slot = 0, rest = code; slot < HandSize; ++slot, rest /= 13) {
            values[slot] = rest % 13 + 2;
        }
        const int suit = code % SuitCount + 1;
        const Values oneSuit = {suit, suit, suit, suit, suit};
        Values mixed = oneSuit;
        mixed[code % HandSize] = suit % SuitCount + 1;
        const Category flush = Classify(values, oneSuit).category;
        const Category noFlush = Classify(values, mixed).category;
        ASSERT_EQ(FastCategory(values, oneSuit), flush) << code;
        ASSERT_EQ(FastCategory(values, true), flush) << code;
        ASSERT_EQ(FastCategory(values, mixed), noFlush) << code;
        ASSERT_EQ(FastCategory(values, false), noFlush) << code;
    }
}

} // namespace
} // namespace corvanta
