#pragma once
// The texts made from the payoff table: the rows of the payoff board on the table, and the
// "Last Hand:" text. The table itself is in engine/Round.h.

#include "engine/Round.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvanta {

// The hand's name on the board: its "Last Hand:" text, but a plain "Pair" for one pair.
std::string_view PayoffBoardName(Category category);

// The multiplier on the board: "100x", "8x"; a plain "x" where the bet only comes back.
std::string PayoffBoardMultiplier(Category category);

// The "Last Hand:" text: the category of the hand settled last, "No Hand Played" before any.
std::string_view LastHandText(std::optional<Category> lastHand);

} // namespace corvanta
