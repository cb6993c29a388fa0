#include "engine/PayoffTexts.h"

namespace corvanta {

std::vector<PayoffBoardRow> PayoffBoard(const Game& game) {
    std::vector<PayoffBoardRow> rows;
    // The hands run from the lowest, and the losing hand pays nothing.
    for (int hand = game.HandCount() - 1; hand > 0; --hand) {
        const HandRule& rule = game.hands[static_cast<std::size_t>(hand)];
        rows.push_back({rule.boardName.empty() ? rule.name : rule.boardName,
                        rule.pay == 1 ? "x" : std::to_string(rule.pay) + "x"});
    }
    return rows;
}

std::string_view LastHandText(const Game& game, std::optional<int> lastHand) {
    if (!lastHand || *lastHand < 0 || *lastHand >= game.HandCount()) {
        return "No Hand Played";
    }
    return game.hands[static_cast<std::size_t>(*lastHand)].name;
}

} // namespace corvanta
