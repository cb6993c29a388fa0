#pragma once
// The exact analysis of a game dealt from one deck: every hold of a dealt hand over the
// equally likely draws of its discards, which come from the 47 cards not dealt.
//
// For every set of at most five of the 52 cards, the table holds how many of the C(52,5)
// hands of five cards contain it, per hand of the game, and the sum of their pays. The draws
// that complete a hold H of the dealt cards D are the hands containing H and none of the
// discards D \ H: by inclusion-exclusion, the sum over the subsets E of D \ H of (-1)^|E|
// times the figure of H + E. So the 32 holds of D need the figures of the 32 subsets of D,
// one lookup each, and one transform over them. Sets are numbered by size, then by the
// combinatorial number system.

#include "engine/Advisor.h"
#include "engine/Game.h"

#include <array>
#include <cstdint>
#include <vector>

namespace corvanta {

// The draws of k discards number C(47, k), 1 to 1 533 939. Every payback of a one-deck game is
// a fraction over their least common multiple, 5 x 43 x 11 x 23 x 3 x 47, so that all holds of
// a hand compare exactly.
inline constexpr std::uint64_t OneDeckDenominator = 7'669'695;

// The hands of five cards: C(52, 5).
inline constexpr std::uint64_t OneDeckDeals = 2'598'960;

class OneDeckTable {
public:
    // About a tenth of a second of one core and 17 to 19 MB; built once per game.
    explicit OneDeckTable(const Game& game);
    // The table of a game, built on first use; safe from any thread, so that a background
    // thread can build it before the first hand needs it.
    static const OneDeckTable& Shared(const Game& game);

    // Every hold of five different cards, by HoldMask, over OneDeckDenominator.
    std::array<Payback, HoldCount> AllHolds(const FiveCards& hand) const;
    // Of the draws of one hold, how many end in each hand of the game (by hand index).
    std::vector<std::uint64_t> HoldOutcomes(const FiveCards& hand, HoldMask kept) const;
    // The hand five different cards make.
    int HandOf(const FiveCards& hand) const;

    // C(47, 5 - kept cards) as a multiple of OneDeckDenominator: what a total of the draws of a
    // hold keeping that many cards is multiplied by.
    static std::uint64_t Scale(int keptCards);

private:
    // The cards of a hand sorted, the subset index of every subset of them (bit i: the i-th
    // lowest card) and the slots of each.
    struct Subsets {
        std::array<std::uint32_t, HoldCount> index{};
        std::array<int, HoldCount> size{};
        std::array<HoldMask, HoldCount> slots{};
    };
    static Subsets SubsetsOf(const FiveCards& hand);
    void CountHands(const Game& game);
    void SumDown();

    int width_ = 0;                        // hands of the game
    std::vector<int> pays_;                // by hand index
    std::vector<std::uint8_t> handOfFive_; // by index among the five-card sets
    // Sets of at most four cards, by index: the count of every hand (width_ each), and the pays.
    std::vector<std::uint32_t> counts_;
    std::vector<std::uint64_t> payTotals_;
};

} // namespace corvanta
