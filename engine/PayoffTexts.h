#pragma once
// The texts made from a game's hands: the rows of the payoff board on the table, and the
// "Last Hand:" text.

#include "engine/Game.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvanta {

// A row of the payoff board: the hand's name there ("Pair" for the classic's one pair, a
// shorter name where the whole one does not fit) and its multiplier ("100x", "8x"; a plain
// "x" where the bet only comes back).
struct PayoffBoardRow {
    std::string_view name;
    std::string multiplier;

    bool operator==(const PayoffBoardRow&) const = default;
};

// Every paying hand of the game, the best first.
std::vector<PayoffBoardRow> PayoffBoard(const Game& game);

// The "Last Hand:" text: the name of the game's hand settled last, "No Hand Played" before any.
std::string_view LastHandText(const Game& game, std::optional<int> lastHand);

} // namespace corvanta
