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

TEST(PayoffTexts, TheBoardAndTheLastHandAreWrittenFromThePayoffTable) {
    struct Row {
        Category category;
        const char* name;
        const char* multiplier;
        const char* lastHand;
    };
    const Row rows[] = {
        {Category::RoyalFlush, "Royal Flush", "100x", "Royal Flush"},
        {Category::StraightFlush, "Straight Flush", "50x", "Straight Flush"},
        {Category::FiveOfAKind, "Five of a Kind", "40x", "Five of a Kind"},
        {Category::FourOfAKind, "Four of a Kind", "25x", "Four of a Kind"},
        {Category::FullHouse, "Full House", "12x", "Full House"},
        {Category::Flush, "Flush", "8x", "Flush"},
        {Category::Straight, "Straight", "5x", "Straight"},
        {Category::ThreeOfAKind, "Three of a Kind", "3x", "Three of a Kind"},
        {Category::TwoPair, "Two Pair", "2x", "Two Pair"},
        {Category::OnePair, "Pair", "x", "One Pair"},
        {Category::NotAWinningHand, "Not a Winning Hand", "0x", "Not a Winning Hand"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PayoffBoardName(row.category), row.name);
        EXPECT_EQ(PayoffBoardMultiplier(row.category), row.multiplier) << row.name;
        EXPECT_EQ(LastHandText(row.category), row.lastHand);
    }
    EXPECT_EQ(LastHandText(std::nullopt), "No Hand Played");
}

TEST(CardBacks, TheOptionsPicturesShowTheBacksInTheirOrder) {
    EXPECT_EQ(BackOfPicture(1), 53);
    EXPECT_EQ(BackOfPicture(2), 54);
    EXPECT_EQ(BackOfPicture(13), 65);
}

} // namespace
} // namespace corvanta
