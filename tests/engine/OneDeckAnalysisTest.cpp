#include "engine/OneDeckAnalysis.h"
#include "engine/Advisor.h"
#include "engine/CommandLine.h"
#include "engine/ReturnTable.h"
#include "engine/Trainer.h"
#include "support/ScriptedRandom.h"

#include "support/GameCards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

namespace corvanta {
namespace {

using test::Cards;

HoldMask MaskOf(const char* slots) {
    HoldMask mask = 0;
    for (int slot = 0; slot < HandSize; ++slot) {
        mask |= slots[slot] == 'k' ? 1u << slot : 0u;
    }
    return mask;
}

// Holds counted by hand over the 47 cards not dealt.
TEST(OneDeckAnalysis, HoldsAreWorthTheirDrawsCountedByHand) {
    struct Row {
        const Game* game;
        const char* cards;
        const char* kept; // k: kept, d: discarded
        Fraction expected;
    };
    const Row rows[] = {
        // The ten of hearts 800, 8 other hearts 6, 3 tens 4, 12 aces to jacks 1: 872.
        {&JacksOrBetter, "Ah Kh Qh Jh 9c", "kkkkd", {872, 47}},
        // 9 hearts 6, 3 kings 1.
        {&JacksOrBetter, "2h 5h 8h Kh 9c", "kkkkd", {57, 47}},
        {&JacksOrBetter, "Ah Kh Qh Jh 9c", "kkkkk", {0, 1}},
        {&BonusPoker, "Ah Ac Ad As 9c", "kkkkd", {80, 1}},
        // The jack and ten of hearts 25 (wild royal), 3 deuces 25, 7 hearts 2 (flush), 6 jacks
        // and tens 2 (straight), 9 aces to queens 1 (three of a kind): 160.
        {&DeucesWild, "2c Ah Kh Qh 7s", "kkkkd", {160, 47}},
        {&DeucesWild, "2h 2d 2c 2s 3c", "kkkkd", {200, 1}},
        {&DeucesWild, "Ah Kh Qh Jh Th", "kkkkk", {800, 1}},
        // The classic draws from 52 with replacement: 280 over 52.
        {&Classic, "Th Jh Qh Kh 2d", "kkkkd", {280, 52}},
    };
    for (const Row& row : rows) {
        const HoldRanking ranking = RankHolds(*row.game, Cards(*row.game, row.cards));
        const auto hold = std::find_if(ranking.begin(), ranking.end(), [&](const HoldValue& h) {
            return h.kept == MaskOf(row.kept);
        });
        ASSERT_NE(hold, ranking.end());
        EXPECT_EQ((Fraction{hold->payback.total, hold->payback.denominator}), row.expected)
            << row.game->key << ": " << row.cards << " keeping " << row.kept;
    }
}

// The draws of a hold enumerated one by one from the cards not dealt, each hand recognised by
// the game's rules: the counts the inclusion-exclusion over the tables must give.
std::vector<std::uint64_t> CountDraws(const Game& game, const FiveCards& hand, HoldMask kept) {
    std::vector<int> deck;
    for (int card = 0; card < CardCount; ++card) {
        if (std::find(hand.begin(), hand.end(), card) == hand.end()) {
            deck.push_back(card);
        }
    }
    std::vector<std::uint64_t> counts(static_cast<std::size_t>(game.HandCount()));
    FiveCards final = hand;
    std::array<int, HandSize> drawnSlots{};
    int drawn = 0;
    for (int slot = 0; slot < HandSize; ++slot) {
        if (((kept >> slot) & 1u) == 0) {
            drawnSlots[drawn++] = slot;
        }
    }
    auto draw = [&](auto& self, int next, std::size_t from) -> void {
        if (next == drawn) {
            ++counts[static_cast<std::size_t>(RecogniseHand(game, final))];
            return;
        }
        for (std::size_t i = from; i < deck.size(); ++i) {
            final[drawnSlots[next]] = static_cast<std::int16_t>(deck[i]);
            self(self, next + 1, i + 1);
        }
    };
    draw(draw, 0, 0);
    return counts;
}

// The draws of k discards: C(47, k).
constexpr std::uint64_t DrawsOf[] = {1, 47, 1'081, 16'215, 178'365, 1'533'939};

TEST(OneDeckAnalysis, EveryHoldOfThreeDiscardsOrFewerMatchesTheEnumeratedDraws) {
    for (const Game* game : {&JacksOrBetter, &BonusPoker, &DeucesWild}) {
        const OneDeckTable& table = OneDeckTable::Shared(*game);
        std::vector<FiveCards> hands = {Cards(*game, "2c 2d Ah Kh Qh"),
                                        Cards(*game, "Ts Js Qs 4d 4c")};
        for (unsigned seed = 1; hands.size() < 4; ++seed) {
            const FiveCards hand = test::SeededHands(1, seed)[0];
            FiveCards sorted = hand;
            std::sort(sorted.begin(), sorted.end());
            if (std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end()) {
                hands.push_back(hand); // five different cards
            }
        }
        for (const FiveCards& hand : hands) {
            const auto paybacks = table.AllHolds(hand);
            for (HoldMask kept = 0; kept <= AllKept; ++kept) {
                if (std::popcount(kept) < 2) {
                    continue;
                }
                const std::vector<std::uint64_t> counts = CountDraws(*game, hand, kept);
                ASSERT_EQ(table.HoldOutcomes(hand, kept), counts) << game->key << " " << kept;
                std::uint64_t paid = 0;
                for (std::size_t h = 0; h < counts.size(); ++h) {
                    paid += counts[h] * static_cast<std::uint64_t>(game->hands[h].pay);
                }
                const std::uint64_t draws = DrawsOf[HandSize - std::popcount(kept)];
                EXPECT_EQ((Fraction{paybacks[kept].total, paybacks[kept].denominator}),
                          (Fraction{paid, draws}))
                    << game->key << " " << kept;
            }
        }
    }
}

// Equal holds: the one keeping more cards first, then (from one deck) the one keeping higher
// values, whatever the slots; then the lower slots.
TEST(OneDeckAnalysis, EqualHoldsAreOrderedByCardsKeptThenByValues) {
    struct Row {
        const char* cards;
        const char* first;
        const char* second;
    };
    const Row rows[] = {
        // Seven to four inside, or three suited: worth exactly the same; four cards first.
        {"7c 3d 4d 6d Ah", "kkkkd", "dkkkd"},
        // The ace or the seven beside 4-5-6 of diamonds: the ace first, wherever it lies.
        {"7c Ad 4d 5d 6d", "dkkkk", "kdkkk"},
        {"Ad 7c 4d 5d 6d", "kdkkk", "dkkkk"},
    };
    for (const Row& row : rows) {
        const HoldRanking ranking = RankHolds(DeucesWild, Cards(DeucesWild, row.cards));
        EXPECT_EQ(ranking[0].kept, MaskOf(row.first)) << row.cards;
        EXPECT_EQ(ranking[1].kept, MaskOf(row.second)) << row.cards;
        EXPECT_TRUE(ranking[1].equalToPrevious) << row.cards;
    }
}

// The trainer judges a game's draws by that game's advisor.
TEST(OneDeckAnalysis, TheTrainerGradesByTheGamesHolds) {
    const FiveCards royalDraw = Cards(JacksOrBetter, "Ah Kh Qh Jh 9c");
    const DiscardMarks drawOne = {false, false, false, false, true};
    EXPECT_EQ(AdviseDraw(JacksOrBetter, royalDraw, drawOne).mistake, Mistake::None);
    const DrawAdvice pat = AdviseDraw(JacksOrBetter, royalDraw, DiscardMarks{});
    EXPECT_EQ(pat.mistake, Mistake::Large);
    EXPECT_EQ(pat.bestHold, 0b01111u);
    EXPECT_DOUBLE_EQ(pat.review.MultipleGivenUp(), 872.0 / 47);
    // Four deuces pay 200 whatever the fifth card: standing pat is as good.
    const FiveCards deuces = Cards(DeucesWild, "2c 2h 2d 2s 7c");
    EXPECT_EQ(AdviseDraw(DeucesWild, deuces, DiscardMarks{}).mistake, Mistake::None);
    TrainingSession session;
    session.Record(JacksOrBetter, royalDraw, DiscardMarks{}, 10, 90);
    EXPECT_DOUBLE_EQ(session.DollarsGivenUp(), 8720.0 / 47);
}

// The deals up to the names of the suits: 134 459 kinds covering the 2 598 960 deals.
TEST(OneDeckAnalysis, DealKindsCoverEveryDealOnce) {
    std::uint64_t kinds = 0;
    std::uint64_t deals = 0;
    ForEachDealKind([&](const FiveCards&, std::uint64_t count) {
        ++kinds;
        deals += count;
    });
    EXPECT_EQ(kinds, 134'459u);
    EXPECT_EQ(deals, 2'598'960u);
}

// The returns under perfect play, exact; they round to the casinos' published 99.5439 %,
// 99.1660 % and 100.7620 %, and the classic's 2.1768.
TEST(GameReturnTable, TheReturnsArePublishedOnes) {
    struct Row {
        const Game* game;
        Fraction returned;
        const char* decimals;
    };
    const Row rows[] = {
        {&Classic, {307'288'002'148'405, 141'167'095'653'376}, "2.1767678985"},
        {&JacksOrBetter, {1'653'526'326'983, 1'661'102'543'100}, "0.9954390437"},
        {&BonusPoker, {1'647'248'502'503, 1'661'102'543'100}, "0.9916597319"},
        {&DeucesWild, {32'187'682'693, 31'944'279'675}, "1.0076196120"},
    };
    for (const Row& row : rows) {
        const GameReturnTable table = ComputeGameReturnTable(*row.game);
        const Fraction returned = table.Return(table.perfectPlay);
        EXPECT_EQ(returned.numerator, row.returned.numerator) << row.game->key;
        EXPECT_EQ(returned.denominator, row.returned.denominator) << row.game->key;
        EXPECT_EQ(DecimalText(returned, 10), row.decimals);
        std::uint64_t rounds = 0;
        for (std::uint64_t count : table.perfectPlay) {
            rounds += count;
        }
        EXPECT_EQ(rounds, table.rounds) << row.game->key;
    }
}

// Standing pat, a round ends in the hand dealt: the counts of five-card hands.
TEST(GameReturnTable, StandingPatCountsTheHandsOfOneDeck) {
    const GameReturnTable table = ComputeGameReturnTable(JacksOrBetter);
    const std::uint64_t dealt[] = {
        1'302'540 + 760'320, // no pair, no straight, no flush; a pair of 2s to 10s
        337'920,             // 4 ranks x 6 pairs x C(12,3) x 4^3
        123'552,
        54'912,
        10'200,
        5'108,
        3'744,
        624,
        36,
        4,
    };
    for (std::size_t hand = 0; hand < std::size(dealt); ++hand) {
        EXPECT_EQ(table.standPat[hand], dealt[hand] * OneDeckDenominator) << hand;
    }
}

} // namespace
} // namespace corvanta
