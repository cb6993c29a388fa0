#include "engine/basPoker.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

namespace corvanta {
namespace {

using test::HandOf;

// The tests run in a fixed order: kinds; four and five of a kind stop there; a flush
// overwrites the kinds, a straight the flush, both make a straight flush. Repeated cards are
// possible since every card is drawn from the whole deck.
TEST(Evaluation, ClassifiesByTheFixedOrderOfTests) {
    using C = Category;
    struct Row {
        const char* name;
        FiveCards hand;
        Category expected;
    };
    const Row rows[] = {
        {"nothing", HandOf({{2, 1}, {5, 3}, {7, 2}, {9, 4}, {13, 1}}), C::NotAWinningHand},
        {"twos are a pair", HandOf({{2, 1}, {2, 3}, {7, 2}, {9, 4}, {13, 1}}), C::OnePair},
        {"two pair", HandOf({{5, 1}, {9, 3}, {5, 2}, {9, 4}, {13, 1}}), C::TwoPair},
        {"three", HandOf({{8, 1}, {3, 3}, {8, 2}, {8, 4}, {13, 1}}), C::ThreeOfAKind},
        {"full house, three first", HandOf({{8, 1}, {8, 3}, {8, 2}, {4, 4}, {4, 1}}), C::FullHouse},
        {"full house, pair first", HandOf({{4, 4}, {8, 1}, {4, 1}, {8, 3}, {8, 2}}), C::FullHouse},
        {"four", HandOf({{6, 1}, {6, 2}, {9, 1}, {6, 3}, {6, 4}}), C::FourOfAKind},
        {"four in one suit", HandOf({{6, 1}, {6, 1}, {6, 1}, {6, 1}, {9, 1}}), C::FourOfAKind},
        {"five, all suits", HandOf({{7, 1}, {7, 2}, {7, 3}, {7, 4}, {7, 2}}), C::FiveOfAKind},
        {"five, one card", HandOf({{12, 3}, {12, 3}, {12, 3}, {12, 3}, {12, 3}}), C::FiveOfAKind},
        {"low straight", HandOf({{2, 3}, {3, 1}, {4, 3}, {5, 3}, {6, 3}}), C::Straight},
        {"royal straight", HandOf({{10, 1}, {11, 2}, {12, 3}, {13, 4}, {14, 1}}), C::Straight},
        {"the ace is never low", HandOf({{14, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 1}}),
         C::NotAWinningHand},
        {"values adding to 15 with a pair", HandOf({{2, 1}, {3, 2}, {4, 3}, {7, 4}, {4, 1}}),
         C::OnePair},
        {"flush", HandOf({{2, 4}, {5, 4}, {7, 4}, {9, 4}, {13, 4}}), C::Flush},
        {"flush over a pair", HandOf({{2, 4}, {2, 4}, {7, 4}, {9, 4}, {13, 4}}), C::Flush},
        {"flush over two pair", HandOf({{2, 4}, {2, 4}, {7, 4}, {7, 4}, {13, 4}}), C::Flush},
        {"flush over three", HandOf({{2, 4}, {2, 4}, {2, 4}, {7, 4}, {13, 4}}), C::Flush},
        {"flush over a full house", HandOf({{2, 4}, {2, 4}, {2, 4}, {7, 4}, {7, 4}}), C::Flush},
        {"royal flush", HandOf({{14, 2}, {13, 2}, {12, 2}, {11, 2}, {10, 2}}), C::RoyalFlush},
        // Right after a royal flush: nothing of it may carry over.
        {"straight flush", HandOf({{9, 3}, {10, 3}, {11, 3}, {12, 3}, {13, 3}}), C::StraightFlush},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EvaluateHand(row.hand).category, row.expected) << row.name;
    }
}

// What the debug console shows of an evaluation; four and five of a kind skip the flush and
// straight tests: no trace, no figures.
TEST(Evaluation, TraceAndStraightFigures) {
    struct Row {
        FiveCards hand;
        const char* trace;
        int lowest, sub, sum;
    };
    const Row rows[] = {
        {HandOf({{2, 1}, {2, 3}, {7, 2}, {9, 4}, {13, 1}}),
         " >> Checkflush: False >> CheckStraight: False >> CheckRF: False", 2, 1, 28},
        {HandOf({{14, 1}, {10, 2}, {12, 3}, {11, 4}, {13, 1}}),
         " >> Checkflush: False >> CheckStraight: True >> CheckRF: True", 10, 9, 15},
        {HandOf({{3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 2}}),
         " >> Checkflush: True >> CheckStraight: True >> CheckRF: False", 3, 2, 15},
        {HandOf({{7, 1}, {7, 2}, {7, 3}, {7, 4}, {8, 1}}), "", 0, 0, 0},
    };
    for (const Row& row : rows) {
        const Evaluation e = EvaluateHand(row.hand);
        EXPECT_EQ(e.trace, row.trace) << row.hand[0];
        EXPECT_EQ(e.testsRan, *row.trace != '\0') << row.hand[0];
        EXPECT_EQ(e.straight.LNum, row.lowest) << row.hand[0];
        EXPECT_EQ(e.straight.SubNum, row.sub) << row.hand[0];
        EXPECT_EQ(e.straight.FAdd, row.sum) << row.hand[0];
    }
}

Table Dealing(FiveCards hand, DiscardMarks marks) {
    Table table;
    table.Hand = hand;
    table.Discard = marks;
    return table;
}

TEST(DealCards, ReplacesOnlyMarkedSlotsInSlotOrderAfterOneReseed) {
    struct Row {
        DiscardMarks marks;
        FiveCards dealt;
        int drawn;
    };
    for (const Row& row : {Row{{true, false, true, false, true}, {40, 11, 11, 13, 51}, 3},
                           Row{{}, {10, 11, 12, 13, 14}, 0},
                           Row{{false, false, false, false, true}, {10, 11, 12, 13, 40}, 1}}) {
        Table table = Dealing({10, 11, 12, 13, 14}, row.marks);
        test::ScriptedRandom random{40, 11, 51};
        DealCards(table, random);
        EXPECT_EQ(table.Hand, row.dealt) << row.drawn;
        EXPECT_EQ(table.Discard, DiscardMarks{}) << row.drawn;
        EXPECT_EQ(random.reseeds, 1) << row.drawn;
        EXPECT_EQ(random.drawn, row.drawn);
    }
}

// A fixed time of day gives a fixed deal, every time it is the time: a changed generator or
// card order shows here.
TEST(TimeSeededRandom, AFixedClockDealsTheSameCardsAgain) {
    TimeSeededRandom random([] { return std::chrono::microseconds(45'296'789'012); });
    for (int deal = 0; deal < 2; ++deal) {
        Table table = Dealing({}, {true, true, true, true, true});
        DealCards(table, random);
        EXPECT_EQ(table.Hand, (FiveCards{51, 1, 9, 16, 15})) << deal;
    }
}

// The seed: microseconds since midnight, within a day (of 25 hours at most) and moving on.
TEST(TimeSeededRandom, TheTimeOfDayMovesInMicroseconds) {
    const auto start = TimeOfDay();
    EXPECT_TRUE(start.count() >= 0 && start < std::chrono::hours(25));
    for (int i = 0; i < 1000 && TimeOfDay() == start; ++i) {
    }
    EXPECT_NE(TimeOfDay(), start);
}

// Every card comes up equally often: chi-square over 52 cells with a fixed clock, so it cannot
// flake. The bound is the 0.1% point of chi-square with 51 degrees of freedom.
TEST(TimeSeededRandom, DealsEveryCardWithTheSameFrequency) {
    std::array<int, CardCount> counts{};
    constexpr int Deals = 40000;
    std::int64_t clock = 0;
    TimeSeededRandom random([&clock] { return std::chrono::microseconds(clock); });
    for (int deal = 0; deal < Deals; ++deal) {
        clock += 977; // a new time of day for every deal, as at the table
        Table table = Dealing({}, {true, true, true, true, true});
        DealCards(table, random);
        for (auto card : table.Hand) {
            ++counts[card];
        }
    }
    const double expected = Deals * HandSize / double(CardCount);
    double chiSquare = 0;
    for (int count : counts) {
        chiSquare += (count - expected) * (count - expected) / expected;
    }
    EXPECT_LT(chiSquare, 86.66);
}

} // namespace
} // namespace corvanta
