#pragma once
// A game's return table: for perfect play and for standing pat, how many of all equally likely
// rounds end in each of its hands, exact, and so each hand's probability and the return.
//
// The classic counts its 52^5 dealt hands times the 52^5 draw sequences (ComputeReturnTable of
// Advisor.h). A one-deck game counts its C(52, 5) deals, each weighed by OneDeckDenominator
// over the draws of its best hold: it analyses one deal of each kind up to the names of the
// suits (134 459 kinds) and weighs it by the deals of its kind.

#include "engine/Fraction.h"
#include "engine/Game.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace corvanta {

struct GameReturnTable {
    const Game* game = nullptr;
    std::uint64_t rounds = 0;               // all rounds: the denominator of every figure
    std::vector<std::uint64_t> perfectPlay; // rounds ending in each hand, by hand index
    std::vector<std::uint64_t> standPat;

    Fraction Probability(const std::vector<std::uint64_t>& play, int hand) const;
    // The pays of every round added up, over the rounds: the return per unit bet.
    Fraction Return(const std::vector<std::uint64_t>& play) const;
};

// Perfect play keeps, in every deal, the hold the advisor lists first (RankHolds' tie rule).
// About a fifth of a second for a one-deck game once its OneDeckTable is built, the classic's
// a few tens of milliseconds. Nothing is cached.
GameReturnTable ComputeGameReturnTable(const Game& game);

// Calls visit(hand, deals) once for every kind of one-deck deal up to the names of the suits,
// with the number of the C(52, 5) deals of that kind. The hand lists its cards suit by suit.
void ForEachDealKind(const std::function<void(const FiveCards& hand, std::uint64_t deals)>& visit);

// The hands of the game by pay, highest first; equal pays in the game's order, the higher first.
std::vector<int> HandsByPay(const Game& game);

} // namespace corvanta
