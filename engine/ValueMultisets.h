#pragma once
// Walking and counting the multisets of card values, for the tables the evaluator and the
// advisor build: both depend only on which values a hand holds, never on their order.

#include "engine/basPoker.h"

#include <array>
#include <bit>
#include <cassert>
#include <cstdint>

namespace corvanta {

inline constexpr int LowestValue = 2;   // the two
inline constexpr int HighestValue = 14; // the ace, high only
inline constexpr int ValueCount = HighestValue - LowestValue + 1;

// A weight for each value 2..14 such that no two multisets of five values have the same sum,
// so the sum of a hand's weights names its values in any order: each weight is the smallest
// that keeps every sum of five distinct (a greedy search). The sums stay under half a million.
inline constexpr std::array<std::int32_t, HighestValue + 1> ValueWeight = {
    0, 0, 0, 1, 6, 31, 108, 366, 926, 2286, 5733, 12905, 27316, 44676, 94545};
inline constexpr std::size_t WeightSums = HandSize * ValueWeight[HighestValue] + 1;

inline std::size_t WeightSum(const Values& values) {
    std::int32_t sum = 0;
    for (int value : values) {
        assert(value >= LowestValue && value <= HighestValue);
        sum += ValueWeight[value];
    }
    return static_cast<std::size_t>(sum);
}

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

constexpr std::uint64_t Power(std::uint64_t base, int exponent) {
    std::uint64_t result = 1;
    while (exponent-- > 0) {
        result *= base;
    }
    return result;
}

constexpr std::uint64_t Factorial(int n) {
    return n <= 1 ? 1 : n * Factorial(n - 1);
}

constexpr std::uint64_t Choose(int n, int k) {
    if (k < 0 || k > n) {
        return 0;
    }
    std::uint64_t result = 1;
    for (int i = 1; i <= k; ++i) {
        result = result * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
    }
    return result;
}

// How many ordered tuples the sorted slots [from, to) stand for: n! / (m1! m2! ...) for
// the multiplicities m of their values.
inline std::uint64_t Orderings(const Values& sorted, int from, int to) {
    std::uint64_t repeats = 1; // m1! m2! ..., built up one factor at a time
    int run = 0;
    for (int slot = from; slot < to; ++slot) {
        run = slot > from && sorted[slot] == sorted[slot - 1] ? run + 1 : 1;
        repeats *= static_cast<std::uint64_t>(run);
    }
    return Factorial(to - from) / repeats;
}

// The multisets of n values are numbered 0 .. C(13 + n - 1, n) - 1 by the combinatorial
// number system: sorted values r0 <= r1 <= ... (counted from the two) become the strictly
// increasing r0 < r1 + 1 < r2 + 2 < ..., and position i adds C(ri + i, i + 1).
constexpr std::array<std::array<std::uint32_t, HandSize>, HighestValue + 1> MultisetTerms() {
    std::array<std::array<std::uint32_t, HandSize>, HighestValue + 1> terms{};
    for (int value = LowestValue; value <= HighestValue; ++value) {
        for (int position = 0; position < HandSize; ++position) {
            terms[value][position] =
                static_cast<std::uint32_t>(Choose(value - LowestValue + position, position + 1));
        }
    }
    return terms;
}

inline constexpr auto MultisetTerm = MultisetTerms(); // [value][position]

// The number of the first `size` sorted values among the multisets of that size.
inline std::uint32_t MultisetRank(const Values& sorted, int size) {
    std::uint32_t rank = 0;
    for (int position = 0; position < size; ++position) {
        rank += MultisetTerm[sorted[position]][position];
    }
    return rank;
}

// Multisets of every size 0..5 share one index range, the smaller sizes first.
constexpr std::array<std::uint32_t, HandSize + 2> MultisetOffsets() {
    std::array<std::uint32_t, HandSize + 2> offsets{};
    for (int size = 0; size <= HandSize; ++size) {
        offsets[size + 1] =
            offsets[size] + static_cast<std::uint32_t>(Choose(ValueCount + size - 1, size));
    }
    return offsets;
}

inline constexpr auto MultisetOffset = MultisetOffsets(); // [size]: the first index of that size

// Bit s set: the cards of subset s (bit i is position i) share one suit, as any subset of
// fewer than two cards does.
inline std::uint32_t OneSuitSubsets(const Values& suits) {
    std::uint32_t oneSuit = 1;
    for (unsigned subset = 1; subset < (1u << HandSize); ++subset) {
        const int highest = std::bit_width(subset) - 1;
        const unsigned rest = subset & ~(1u << highest);
        if (rest == 0 ||
            ((oneSuit >> rest) & 1u && suits[std::countr_zero(rest)] == suits[highest])) {
            oneSuit |= 1u << subset;
        }
    }
    return oneSuit;
}

} // namespace corvanta
