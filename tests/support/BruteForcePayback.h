#pragma once
// The reference the hold advisor is checked against: every one of the 52^k ordered draws
// for the k discarded slots, each evaluated by the game's evaluator. No shortcut at all,
// so it is slow: 52^3 draws take a fraction of a second in a debug build.

#include "engine/Advisor.h"
#include "engine/Round.h"
#include "engine/basPoker.h"

#include <cstdint>
#include <vector>

namespace corvanta::test {

// The sum of the multipliers over all 52^k draws of the slots `kept` does not keep.
inline std::uint64_t BruteForceDrawTotal(const FiveCards& hand, HoldMask kept) {
    std::vector<int> open;
    Values values{};
    Values suits{};
    for (int slot = 0; slot < HandSize; ++slot) {
        if ((kept & (1u << slot)) == 0) {
            open.push_back(slot);
        }
        values[slot] = CardValue(hand[slot]);
        suits[slot] = CardSuit(hand[slot]);
    }
    std::vector<int> draw(open.size(), 0); // an odometer over the 52^k draws
    std::uint64_t total = 0;
    for (;;) {
        for (std::size_t i = 0; i < open.size(); ++i) {
            values[open[i]] = CardValue(draw[i]);
            suits[open[i]] = CardSuit(draw[i]);
        }
        total += static_cast<std::uint64_t>(PayoffFor(Classify(values, suits).category).multiplier);
        std::size_t i = 0;
        while (i < draw.size() && ++draw[i] == CardCount) {
            draw[i++] = 0;
        }
        if (i == draw.size()) {
            return total;
        }
    }
}

} // namespace corvanta::test
