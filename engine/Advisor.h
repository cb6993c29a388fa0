#pragma once
// The hold advisor: the exact expected payback of every hold of a dealt hand, taken over
// every possible draw with the game's own evaluator and payoff table. No sampling.
//
// A replaced card is drawn uniformly from all 52 card numbers, independently of the others
// and of the table, so keeping n cards and drawing k = 5 - n has 52^k equally likely
// outcomes. Counting every hold over 52^5 draw sequences (the draws it does not use come
// along) puts every expectation over the same denominator: a payback is an exact integer
// and two holds compare, or tie, exactly.

#include "engine/Table.h"

#include <array>
#include <compare>
#include <cstdint>
#include <vector>

namespace corvanta {

inline constexpr std::uint64_t DrawSequences = 52ull * 52 * 52 * 52 * 52;

// Expected payback per dollar bet (the multiplier of the final hand), times 52^5.
struct Payback {
    std::uint64_t total = 0;

    double Multiple() const { return static_cast<double>(total) / DrawSequences; }
    friend auto operator<=>(const Payback&, const Payback&) = default;
};

// A hold: bit i set keeps slot i. 0 discards all five; AllKept stands pat.
using HoldMask = unsigned;
inline constexpr HoldMask AllKept = (1u << HandSize) - 1;
inline constexpr int HoldCount = 1 << HandSize;

// The one computation: the expected payback of keeping the slots of `kept` and drawing
// the others. The hand holds card numbers 0..51. Under half a millisecond for a discard
// of all five, microseconds to tens of microseconds for the other holds.
Payback ExpectedPayback(const FiveCards& hand, HoldMask kept);

struct HoldValue {
    HoldMask kept = 0;
    Payback payback;
    bool equalToPrevious = false; // same payback as the entry above: show "equal", no rank
};

using HoldRanking = std::array<HoldValue, HoldCount>;

// All 32 holds, best first. Equal paybacks are ordered by the tie rule: the hold keeping
// more cards first, then the lower mask (the leftmost slots, roughly). So the first entry
// is the best hold, and every entry flagged equal right after it is a best hold too.
HoldRanking RankHolds(const FiveCards& hand);

DiscardMarks DiscardsOf(HoldMask kept);
HoldMask KeptBy(const DiscardMarks& discards);

// "Mark Best Hold": the discards of the first hold of RankHolds.
DiscardMarks BestHoldDiscards(const FiveCards& hand);

struct GameFigures;

// The payback of every hold of every possible hand, by lookup: a hold's payback depends
// only on the values of the kept cards and on whether they share one suit, so 8568 value
// multisets times two suit cases cover them all. Building it takes a few milliseconds;
// it pays off when very many hands are evaluated, as for the game figures.
class PaybackTable {
public:
    PaybackTable();
    // Indexed by HoldMask; equal to ExpectedPayback for every hold.
    std::array<Payback, HoldCount> AllHolds(const FiveCards& hand) const;

private:
    friend GameFigures ComputeGameFigures();
    Payback Lookup(std::uint32_t multiset, bool oneSuit) const;

    std::vector<Payback> entries_; // by 2 * multiset index + (kept cards of one suit)
};

// The game's figures, exact sums over the 52^5 equally likely dealt hands of
// Payback::total; divide by 52^10 for a multiple of the bet.
struct GameFigures {
    std::uint64_t perfectPlayTotal = 0; // the best hold of every hand
    std::uint64_t standPatTotal = 0;    // never drawing

    double PerfectPlay() const;
    double StandPat() const;
};

// Enumerates the dealt hands by their sorted values and by which slots share a suit, with
// the number of ordered hands each stands for; a few tens of milliseconds. The caller
// keeps the result: nothing is cached.
GameFigures ComputeGameFigures();

// Session-only counters; nothing is stored.
struct AdvisorSession {
    int roundsAdvised = 0;
    int roundsMatchingBest = 0; // the discards were those of a best hold (any of the equal)
    double dollarsGivenUp = 0;  // sum of bet x (best payback - payback of the hold played)
};

// The player's marks against the best hold of the same hand.
struct MarksReview {
    Payback played; // the payback of the hold the marks keep
    Payback best;   // the payback of the best hold
    bool matchedBest = false;

    // Per dollar bet, what the marks give up against the best hold.
    double MultipleGivenUp() const;
};

// One review for every window: the ranking of the hand and the marks on it.
MarksReview ReviewMarks(const HoldRanking& ranking, const DiscardMarks& discards);

// Counts a round from the hand as dealt, the discards the player drew with and the bet.
MarksReview RecordRound(AdvisorSession& session, const FiveCards& dealt,
                        const DiscardMarks& discards, std::int32_t bet);

} // namespace corvanta
