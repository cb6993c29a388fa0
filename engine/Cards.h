#pragma once
// The deck: card numbers, their values and suits, the backs, and a hand of five cards. The
// one place that says how many of each there are.

#include <array>
#include <cstdint>

namespace corvanta {

inline constexpr int HandSize = 5;
inline constexpr int SuitCount = 4;
inline constexpr int RankCount = 13;
inline constexpr int CardCount = SuitCount * RankCount; // card numbers 0..51

// The thirteen card backs are numbered after the faces, 53..65; 63 is the back of a first run.
inline constexpr int FirstBack = 53;
inline constexpr int BackCount = 13;
inline constexpr std::int16_t DefaultBack = 63;

constexpr bool IsFace(int card) {
    return card >= 0 && card < CardCount;
}
constexpr bool IsBack(int card) {
    return card >= FirstBack && card < FirstBack + BackCount;
}

// Card number n: rank n / 4 (0 the ace ... 12 the king), suit n % 4.
constexpr int RankOf(int card) {
    return card / SuitCount;
}
constexpr int SuitOf(int card) {
    return card % SuitCount;
}

// Value 14 for the ace (it only ever counts high), otherwise rank + 1; 0 off the deck.
constexpr int CardValue(int card) {
    if (!IsFace(card)) {
        return 0;
    }
    return RankOf(card) == 0 ? 14 : RankOf(card) + 1;
}

// Suit 1..4; 0 off the deck.
constexpr int CardSuit(int card) {
    return IsFace(card) ? SuitOf(card) + 1 : 0;
}

// Five card numbers in table slots 0..4 (a back number stands in a slot between rounds).
using FiveCards = std::array<std::int16_t, HandSize>;
// One flag a slot; true marks the slot's card for replacement.
using DiscardMarks = std::array<bool, HandSize>;

} // namespace corvanta
