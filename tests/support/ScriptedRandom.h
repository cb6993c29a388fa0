#pragma once
// A random source that deals the cards a test asks for, in order.

#include "engine/basPoker.h"

#include <deque>
#include <initializer_list>
#include <stdexcept>

namespace corvanta::testing {

class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<int> cards) : cards_(cards) {}
    void Add(std::initializer_list<int> cards) { cards_.insert(cards_.end(), cards); }
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

} // namespace corvanta::testing
