#include "engine/AdviceText.h"

#include <array>
#include <charconv>
#include <string_view>

namespace corvanta {
namespace {

constexpr std::array<std::string_view, RankCount> RankNames{
    "Ace",   "Two",  "Three", "Four", "Five",  "Six", "Seven",
    "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};
// Suit 0..3 as the deck numbers them.
constexpr std::array<std::string_view, SuitCount> SuitNames{"Clubs", "Diamonds", "Hearts",
                                                            "Spades"};

} // namespace

std::string CardName(int card) {
    if (!IsFace(card)) {
        return {};
    }
    return std::string(RankNames[static_cast<std::size_t>(RankOf(card))]) + " of " +
           std::string(SuitNames[static_cast<std::size_t>(SuitOf(card))]);
}

std::string HoldText(const FiveCards& hand, HoldMask kept) {
    if (kept == 0) {
        return "Keep nothing (draw five)";
    }
    if (kept == AllKept) {
        return "Keep all five (stand pat)";
    }
    std::string text = "Keep ";
    std::string_view separator;
    for (int slot = 0; slot < HandSize; ++slot) {
        if ((kept >> slot) & 1u) {
            text += std::string(separator) + CardName(hand[slot]);
            separator = ", ";
        }
    }
    return text;
}

std::string MultipleText(double multiple) {
    std::array<char, 64> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), multiple,
                                       std::chars_format::fixed, 4);
    return std::string(digits.data(), written.ptr) + " \u00d7 bet";
}

std::string TrainerQuestion(const FiveCards& hand, const DrawAdvice& advice) {
    const std::string_view size =
        advice.mistake == Mistake::Large ? "a large mistake" : "a small mistake";
    return "Your discards return " + MultipleText(advice.review.played.Multiple()) + ": " +
           std::string(size) + ", " + MultipleText(advice.review.MultipleGivenUp()) +
           " less than the best.\r" + HoldText(hand, advice.bestHold) + ": returns " +
           MultipleText(advice.review.best.Multiple()) + ".\rDraw anyway?";
}

} // namespace corvanta
