#pragma once
// The hold advisor: the exact expected payback of every hold of a dealt hand, taken over
// every possible draw with the game's own evaluator and payoff table. No sampling.
//
// A replaced card is drawn uniformly from all 52 card numbers, independently of the others
// and of the table, so keeping n cards and drawing k = 5 - n has 52^k equally likely
// outcomes. Counting every hold over 52^5 draw sequences (the draws it does not use come
// along) puts every expectation over the same denominator: a payback is an exact integer
// and two holds compare, or tie, exactly.
//
// A hold's payback depends only on the values it keeps and on whether the kept cards share
// one suit, so one table of the 8568 multisets of at most five values, in both suit cases,
// answers every hold of every hand by lookup (PaybackTable). It is built on first use.

#include "engine/Table.h"
#include "engine/basPoker.h"

#include <array>
#include <compare>
#include <cstdint>
#include <vector>

namespace corvanta {

inline constexpr std::uint64_t DrawSequences = 52ull * 52 * 52 * 52 * 52;

// Expected payback per dollar bet (the multiplier of the final hand) as the exact fraction
// total / denominator. Every hold of a game shares the denominator, so holds compare by their
// totals: in the classic 52^5, in a one-deck game a multiple of every count of draws.
struct Payback {
    std::uint64_t total = 0;
    std::uint64_t denominator = DrawSequences;

    double Multiple() const {
        return static_cast<double>(total) / static_cast<double>(denominator);
    }
    friend auto operator<=>(const Payback&, const Payback&) = default;
};

// A hold: bit i set keeps slot i. 0 discards all five; AllKept stands pat.
using HoldMask = unsigned;
inline constexpr HoldMask AllKept = (1u << HandSize) - 1;
inline constexpr int HoldCount = 1 << HandSize;

// The expected payback of keeping the slots of `kept` and drawing the others. The hand
// holds card numbers 0..51. A lookup: well under a microsecond once the table is built.
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
// About a microsecond: fast enough to check every draw.
HoldRanking RankHolds(const FiveCards& hand);
// The classic's ranking of the 32 paybacks of one hand, by HoldMask.
HoldRanking RankPaybacks(const std::array<Payback, HoldCount>& paybacks);
// A one-deck game's: equal holds keeping as many cards are ordered by their values, the
// higher first (compared from the highest kept card, the ace high), and only then by mask.
// Equal holds that differ in the count of kept cards or in their values can end in different
// hands; those alike in both never do (checked by the return tables in debug builds).
HoldRanking RankPaybacksByValue(const std::array<Payback, HoldCount>& paybacks,
                                const FiveCards& hand);

struct Game;

// The same for any game: the classic's by the table above, a one-deck game's by its
// OneDeckTable (built on first use; about a microsecond a hand after) and RankPaybacksByValue.
HoldRanking RankHolds(const Game& game, const FiveCards& hand);
DiscardMarks BestHoldDiscards(const Game& game, const FiveCards& hand);

DiscardMarks DiscardsOf(HoldMask kept);
HoldMask KeptBy(const DiscardMarks& discards);

// "Mark Best Hold": the discards of the first hold of RankHolds.
DiscardMarks BestHoldDiscards(const FiveCards& hand);

struct ReturnTable;

// The payback of every hold of every possible hand, by lookup: for each multiset of kept
// values (index: the sizes 0..5 one after the other, each in the combinatorial number
// system) and each suit case, the sum over the 52^5 draw sequences. Built in a fraction of a
// millisecond by summing over one drawn card at a time, from the five-card hands down.
class PaybackTable {
public:
    PaybackTable();
    // The one table RankHolds, ExpectedPayback and the return table use, built on the first
    // call; safe to call from any thread, e.g. early from a background one, so that the
    // first hand finds it ready.
    static const PaybackTable& Shared();

    // One hold; what ExpectedPayback answers.
    Payback Hold(const FiveCards& hand, HoldMask kept) const;
    // Every hold, indexed by HoldMask.
    std::array<Payback, HoldCount> AllHolds(const FiveCards& hand) const;

private:
    friend ReturnTable ComputeReturnTable();
    Payback Lookup(std::uint32_t multiset, bool oneSuit) const;

    // Payback totals over 52^5 (8 bytes an entry keeps the table small in the cache), by
    // 2 * multiset index + (kept cards of one suit).
    std::vector<std::uint64_t> entries_;
};

inline constexpr std::uint64_t RoundSequences = DrawSequences * DrawSequences; // 52^10

// One line of the return table: how often rounds end in a category and what it pays.
struct ReturnRow {
    // Of the 52^5 dealt hands times the 52^5 draw sequences (the draws a hold does not use
    // come along), the rounds that end in the category.
    std::uint64_t rounds = 0;
    int multiplier = 0; // the payout, times the bet

    double Probability() const;  // rounds / 52^10
    double Contribution() const; // multiplier x probability: its share of the return, x bet
    // The contribution times 52^10, exact: the rows add up to the game's return times 52^10.
    std::uint64_t ContributionTotal() const {
        return rounds * static_cast<std::uint64_t>(multiplier);
    }
};

// "The game under perfect play": each category's payout, probability and contribution to
// the return of a round, for perfect play and for standing pat. Rows by category code.
//
// Perfect play takes, in every dealt hand, the hold RankHolds lists first: the largest
// payback; among equal ones the hold keeping the most cards, and among those the lowest
// mask of slots. Equal holds could in principle reach the categories differently (only
// their paybacks must agree); in this game equal best holds never do, which the
// computation checks in debug builds, so the rows are the same whichever of them is taken.
using ReturnRows = std::array<ReturnRow, CategoryCount>;
struct ReturnTable {
    ReturnRows perfectPlay{};
    ReturnRows standPat{};
};

// The return of one round, times the bet: the rows' contributions added up exactly.
double ReturnPerRound(const ReturnRows& rows);

// Exact counts over every dealt hand, in a few tens of milliseconds. It shares nothing but
// the tables behind RankHolds and FastCategory, which are only read once built, so it may
// run on any thread. The caller keeps the result: nothing is cached.
ReturnTable ComputeReturnTable();

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

} // namespace corvanta
