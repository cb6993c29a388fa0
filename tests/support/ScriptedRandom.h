#pragma once
// A random source that deals the cards a test asks for, in order.

#include "engine/basPoker.h"

#include <algorithm>
#include <deque>
#include <initializer_list>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace corvanta::test {

class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<int> cards) : cards_(cards) {}
    void Add(std::initializer_list<int> cards) { cards_.insert(cards_.end(), cards); }
    void Add(const std::vector<int>& cards) {
        cards_.insert(cards_.end(), cards.begin(), cards.end());
    }
    void Reseed() override { ++reseeds; }
    double Next() override {
        if (cards_.empty()) {
            throw std::logic_error("the script has no card left");
        }
        const int card = cards_.front();
        cards_.pop_front();
        ++drawn;
        return (card + 0.5) / CardCount; // lands in the middle of the card's interval
    }
    std::size_t Remaining() const { return cards_.size(); }

    int reseeds = 0;
    int drawn = 0;

private:
    std::deque<int> cards_;
};

// Card number from a value 2..14 (14 the ace) and a suit 1..4.
constexpr int Card(int value, int suit) {
    return 4 * (value == 14 ? 0 : value - 1) + (suit - 1);
}

// Five cards from (value, suit) pairs, in slot order.
inline FiveCards HandOf(std::initializer_list<std::pair<int, int>> valueSuits) {
    FiveCards hand{};
    int slot = 0;
    for (auto [value, suit] : valueSuits) {
        hand[slot++] = static_cast<std::int16_t>(Card(value, suit));
    }
    return hand;
}

// The script that makes a game dealt from one deck deal `wanted` in order. Such a deal picks
// each card by its place among the cards not on the table (`onTable`: the dealt hand during
// the draw, nothing before the deal), the picked ones leaving that deck: the pick is Next()
// times the cards left, rounded down, and Next() is (n + 0.5) / 52 for a scripted n.
inline std::vector<int> OneDeckScript(std::vector<int> onTable, const std::vector<int>& wanted) {
    std::vector<int> script;
    for (int card : wanted) {
        int place = 0;
        int left = 0;
        for (int other = 0; other < CardCount; ++other) {
            if (std::find(onTable.begin(), onTable.end(), other) == onTable.end()) {
                place += other < card ? 1 : 0;
                ++left;
            }
        }
        // The least n with (2n + 1) x left >= 2 x 52 x place.
        const int twice = 2 * CardCount * place - left;
        script.push_back(twice <= 0 ? 0 : (twice + 2 * left - 1) / (2 * left));
        onTable.push_back(card);
    }
    return script;
}

// `count` hands of five cards drawn uniformly with a fixed seed.
inline std::vector<FiveCards> SeededHands(std::size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> card(0, CardCount - 1);
    std::vector<FiveCards> hands(count);
    for (FiveCards& hand : hands) {
        for (auto& slot : hand) {
            slot = static_cast<std::int16_t>(card(generator));
        }
    }
    return hands;
}

} // namespace corvanta::test
