// The engine's texts: card and hold names, returns, the trainer's question, the payoff board
// and the "Last Hand:" text, and which back each options picture shows.
#include "engine/AdviceText.h"
#include "engine/PayoffTexts.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

namespace corvanta {
namespace {

using test::Card;

TEST(AdviceText, CardsAndHoldsAreNamedInFull) {
    EXPECT_EQ(CardName(0), "Ace of Clubs");
    EXPECT_EQ(CardName(22), "Six of Hearts");
    EXPECT_EQ(CardName(51), "King of Spades");
    EXPECT_EQ(CardName(52), "");
    EXPECT_EQ(CardName(-1), "");
    const FiveCards hand = {Card(2, 1), Card(9, 4), Card(2, 3), Card(5, 2), Card(13, 1)};
    EXPECT_EQ(HoldText(hand, 0b00101), "Keep Two of Clubs, Two of Hearts");
    EXPECT_EQ(HoldText(hand, 0b10000), "Keep King of Clubs");
    EXPECT_EQ(HoldText(hand, 0), "Keep nothing (draw five)");
    EXPECT_EQ(HoldText(hand, AllKept), "Keep all five (stand pat)");
    EXPECT_EQ(MultipleText(2.19214), "2.1921 \u00d7 bet");
    EXPECT_EQ(MultipleText(0.08936), "0.0894 \u00d7 bet");
    EXPECT_EQ(MultipleText(0), "0.0000 \u00d7 bet");
}

TEST(AdviceText, TheTrainerAsksWithTheReturnsAndTheBestHold) {
    const FiveCards royalDraw = {Card(10, 1), Card(11, 1), Card(12, 1), Card(13, 1), Card(3, 2)};
    const DrawAdvice standPat = AdviseDraw(royalDraw, {});
    EXPECT_EQ(TrainerQuestion(royalDraw, standPat),
              "Your discards return 0.0000 \u00d7 bet: a large mistake, 5.3846 \u00d7 bet less "
              "than the best.\rKeep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs: "
              "returns 5.3846 \u00d7 bet.\rDraw anyway?");
    const FiveCards sixHigh = {Card(14, 4), Card(3, 4), Card(11, 1), Card(5, 1), Card(6, 3)};
    const DrawAdvice small = AdviseDraw(sixHigh, {false, false, true, true, true});
    EXPECT_EQ(TrainerQuestion(sixHigh, small),
              "Your discards return 0.8453 \u00d7 bet: a small mistake, 0.0483 \u00d7 bet less "
              "than the best.\rKeep Six of Hearts: returns 0.8935 \u00d7 bet.\rDraw anyway?");
}

// Every game's payoff board, the best hand first, as "name multiplier" rows.
TEST(PayoffTexts, TheBoardListsTheGamesPayingHandsBestFirst) {
    const std::pair<const Game*, std::string> boards[] = {
        {&Classic, "Royal Flush 100x | Straight Flush 50x | Five of a Kind 40x | Four of a Kind "
                   "25x | Full House 12x | Flush 8x | Straight 5x | Three of a Kind 3x | Two Pair "
                   "2x | Pair x"},
        {&JacksOrBetter, "Royal Flush 800x | Straight Flush 50x | Four of a Kind 25x | Full House "
                         "9x | Flush 6x | Straight 4x | Three of a Kind 3x | Two Pair 2x | Jacks "
                         "or Better x"},
        {&BonusPoker, "Royal Flush 800x | Four Aces 80x | Straight Flush 50x | Four 2s-4s 40x | "
                      "Four 5s-Ks 25x | Full House 8x | Flush 5x | Straight 4x | Three of a Kind "
                      "3x | Two Pair 2x | Jacks or Better x"},
        {&DeucesWild, "Natural Royal 800x | Four Deuces 200x | Wild Royal 25x | Five of a Kind "
                      "15x | Straight Flush 9x | Four of a Kind 5x | Full House 3x | Flush 2x | "
                      "Straight 2x | Three of a Kind x"},
    };
    for (const auto& [game, board] : boards) {
        std::string shown;
        for (const PayoffBoardRow& row : PayoffBoard(*game)) {
            shown += (shown.empty() ? "" : " | ") + std::string(row.name) + " " + row.multiplier;
        }
        EXPECT_EQ(shown, board) << game->key;
    }
}

// The last hand by the name the game gives it, whole.
TEST(PayoffTexts, TheLastHandIsNamedByTheGame) {
    struct Row {
        const Game* game;
        std::optional<int> hand;
        const char* text;
    };
    const Row rows[] = {
        {&Classic, std::nullopt, "No Hand Played"},
        {&Classic, 0, "Not a Winning Hand"},
        {&Classic, 1, "One Pair"},
        {&Classic, 10, "Royal Flush"},
        {&JacksOrBetter, 1, "Jacks or Better"},
        {&BonusPoker, 8, "Four 2s-4s"},
        {&DeucesWild, 8, "Wild Royal Flush"},
        {&DeucesWild, 10, "Natural Royal Flush"},
        {&DeucesWild, 11, "No Hand Played"}, // no such hand
        {&JacksOrBetter, -1, "No Hand Played"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LastHandText(*row.game, row.hand), row.text) << row.game->key;
    }
}

TEST(CardBacks, TheOptionsPicturesShowTheBacksInTheirOrder) {
    EXPECT_EQ(BackOfPicture(1), 53);
    EXPECT_EQ(BackOfPicture(2), 54);
    EXPECT_EQ(BackOfPicture(13), 65);
}

} // namespace
} // namespace corvanta
