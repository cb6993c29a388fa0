#pragma once
// Walking the multisets of card values, for the tables the evaluator and the advisor build:
// both depend only on which values a hand holds, never on their order.

#include "engine/basPoker.h"

namespace corvanta {

inline constexpr int LowestValue = 2;   // the two
inline constexpr int HighestValue = 14; // the ace, high only
inline constexpr int ValueCount = HighestValue - LowestValue + 1;

// Calls visit(values) for every nondecreasing filling of slots [from, to) with values of
// at least `lowest`: each multiset of values once, in increasing order of its values.
template <class Visit>
void ForEachMultiset(Values& values, int from, int to, int lowest, Visit& visit) {
    if (from >= to || from >= HandSize) {
        visit(values);
        return;
    }
    for (int value = lowest; value <= HighestValue; ++value) {
        values[from] = value;
        ForEachMultiset(values, from + 1, to, value, visit);
    }
}

} // namespace corvanta
