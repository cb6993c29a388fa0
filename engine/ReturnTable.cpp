#include "engine/ReturnTable.h"

#include "engine/Advisor.h"
#include "engine/OneDeckAnalysis.h"
#include "engine/ValueMultisets.h"
#include "engine/basPoker.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace corvanta {
namespace {

constexpr unsigned AllRanks = (1u << RankCount) - 1;

// The card of rank bit `rank` (0 the ace .. 12 the king) in `suit`.
std::int16_t CardAt(int rank, int suit) {
    return static_cast<std::int16_t>(rank * SuitCount + suit);
}

FiveCards HandOfSuits(const std::array<unsigned, SuitCount>& ranksOfSuit) {
    FiveCards hand{};
    int slot = 0;
    for (int suit = 0; suit < SuitCount; ++suit) {
        for (unsigned ranks = ranksOfSuit[suit]; ranks != 0; ranks &= ranks - 1) {
            hand[slot++] = CardAt(std::countr_zero(ranks), suit);
        }
    }
    return hand;
}

// Renaming the suits permutes the four sets of ranks; a kind lists them in descending order.
// Its deals are the distinct orders of its four sets: 4! over the orders of equal ones.
std::uint64_t DealsOfKind(const std::array<unsigned, SuitCount>& ranksOfSuit) {
    std::uint64_t deals = Factorial(SuitCount);
    int run = 1;
    for (int suit = 1; suit < SuitCount; ++suit) {
        run = ranksOfSuit[suit] == ranksOfSuit[suit - 1] ? run + 1 : 1;
        deals /= static_cast<std::uint64_t>(run);
    }
    return deals;
}

GameReturnTable ClassicReturnTable(const Game& game) {
    assert(game.recognition == Recognition::ClassicTests);
    const ReturnTable table = ComputeReturnTable();
    GameReturnTable result{
        .game = &game, .rounds = RoundSequences, .perfectPlay = {}, .standPat = {}};
    for (std::size_t category = 0; category < table.perfectPlay.size(); ++category) {
        result.perfectPlay.push_back(table.perfectPlay[category].rounds);
        result.standPat.push_back(table.standPat[category].rounds);
    }
    return result;
}

// The values a hold keeps, the highest first, zeros after them.
Values KeptValues(const FiveCards& hand, HoldMask kept) {
    Values values{};
    int size = 0;
    for (int slot = 0; slot < HandSize; ++slot) {
        if ((kept >> slot) & 1u) {
            values[size++] = CardValue(hand[slot]);
        }
    }
    std::sort(values.begin(), values.end(), std::greater<>());
    return values;
}

// Whether every best hold that keeps the values of the first reaches each hand as often: if
// so, which of them the tie rule takes (by slot) changes no count.
[[maybe_unused]] bool BestHoldsReachAlike(const OneDeckTable& table, const FiveCards& hand,
                                          const HoldRanking& ranking,
                                          const std::vector<std::uint64_t>& counts) {
    const HoldMask first = ranking.front().kept;
    for (std::size_t i = 1; i < ranking.size() && ranking[i].equalToPrevious; ++i) {
        if (KeptValues(hand, ranking[i].kept) == KeptValues(hand, first) &&
            table.HoldOutcomes(hand, ranking[i].kept) != counts) {
            return false;
        }
    }
    return true;
}

GameReturnTable OneDeckReturnTable(const Game& game) {
    const OneDeckTable& table = OneDeckTable::Shared(game);
    const auto width = static_cast<std::size_t>(game.HandCount());
    GameReturnTable result{.game = &game,
                           .rounds = OneDeckDeals * OneDeckDenominator,
                           .perfectPlay = std::vector<std::uint64_t>(width),
                           .standPat = std::vector<std::uint64_t>(width)};
    ForEachDealKind([&](const FiveCards& hand, std::uint64_t deals) {
        const HoldRanking ranking = RankPaybacksByValue(table.AllHolds(hand), hand);
        const HoldMask best = ranking.front().kept;
        const std::vector<std::uint64_t> counts = table.HoldOutcomes(hand, best);
        assert(BestHoldsReachAlike(table, hand, ranking, counts));
        const std::uint64_t weight = deals * OneDeckTable::Scale(std::popcount(best));
        for (std::size_t index = 0; index < width; ++index) {
            result.perfectPlay[index] += counts[index] * weight;
        }
        result.standPat[static_cast<std::size_t>(table.HandOf(hand))] += deals * OneDeckDenominator;
    });
    return result;
}

} // namespace

void ForEachDealKind(const std::function<void(const FiveCards&, std::uint64_t)>& visit) {
    std::array<std::vector<unsigned>, HandSize + 1> ranksOfSize; // ascending
    for (unsigned ranks = 0; ranks <= AllRanks; ++ranks) {
        if (std::popcount(ranks) <= HandSize) {
            ranksOfSize[static_cast<std::size_t>(std::popcount(ranks))].push_back(ranks);
        }
    }
    std::array<unsigned, SuitCount> ranksOfSuit{};
    // Fills the suits from `suit` on with `left` cards, no set above the one before it.
    auto fill = [&](auto& self, int suit, int left, unsigned highest) -> void {
        if (suit == SuitCount) {
            visit(HandOfSuits(ranksOfSuit), DealsOfKind(ranksOfSuit));
            return;
        }
        for (int size = suit == SuitCount - 1 ? left : 0; size <= left; ++size) {
            for (unsigned ranks : ranksOfSize[static_cast<std::size_t>(size)]) {
                if (ranks > highest) {
                    break;
                }
                ranksOfSuit[suit] = ranks;
                self(self, suit + 1, left - size, ranks);
            }
        }
    };
    fill(fill, 0, HandSize, AllRanks);
}

Fraction GameReturnTable::Probability(const std::vector<std::uint64_t>& play, int hand) const {
    return Fraction{play[static_cast<std::size_t>(hand)], rounds}.Reduced();
}

Fraction GameReturnTable::Return(const std::vector<std::uint64_t>& play) const {
    std::uint64_t paid = 0;
    for (std::size_t hand = 0; hand < play.size(); ++hand) {
        paid += play[hand] * static_cast<std::uint64_t>(game->hands[hand].pay);
    }
    return Fraction{paid, rounds}.Reduced();
}

GameReturnTable ComputeGameReturnTable(const Game& game) {
    return game.deck == DeckRule::OneDeck ? OneDeckReturnTable(game) : ClassicReturnTable(game);
}

std::vector<int> HandsByPay(const Game& game) {
    std::vector<int> hands(static_cast<std::size_t>(game.HandCount()));
    for (int hand = 0; hand < game.HandCount(); ++hand) {
        hands[static_cast<std::size_t>(hand)] = game.HandCount() - 1 - hand;
    }
    std::stable_sort(hands.begin(), hands.end(), [&](int a, int b) {
        return game.hands[static_cast<std::size_t>(a)].pay >
               game.hands[static_cast<std::size_t>(b)].pay;
    });
    return hands;
}

} // namespace corvanta
