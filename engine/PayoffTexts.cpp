#include "engine/PayoffTexts.h"

namespace corvanta {

std::string_view PayoffBoardName(Category category) {
    return category == Category::OnePair ? "Pair" : PayoffFor(category).lastHand;
}

std::string PayoffBoardMultiplier(Category category) {
    const int multiplier = PayoffFor(category).multiplier;
    return multiplier == 1 ? "x" : std::to_string(multiplier) + "x";
}

std::string_view LastHandText(std::optional<Category> lastHand) {
    return lastHand ? PayoffFor(*lastHand).lastHand : "No Hand Played";
}

} // namespace corvanta
