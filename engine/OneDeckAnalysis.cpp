#include "engine/OneDeckAnalysis.h"

#include "engine/ValueMultisets.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <memory>
#include <mutex>
#include <utility>

namespace corvanta {
namespace {

// C(n, k) for n < 52 and k <= 5: the terms of the combinatorial number system.
constexpr auto Binomials = [] {
    std::array<std::array<std::uint32_t, HandSize + 1>, CardCount> table{};
    for (int n = 0; n < CardCount; ++n) {
        for (int k = 0; k <= HandSize; ++k) {
            table[n][k] = static_cast<std::uint32_t>(Choose(n, k));
        }
    }
    return table;
}();

// The sets of each size 0..5 of the 52 cards, one index range after the other.
constexpr auto SetOffset = [] {
    std::array<std::uint32_t, HandSize + 2> offsets{};
    for (int size = 0; size <= HandSize; ++size) {
        offsets[size + 1] = offsets[size] + static_cast<std::uint32_t>(Choose(CardCount, size));
    }
    return offsets;
}();
static_assert(SetOffset[HandSize + 1] - SetOffset[HandSize] == OneDeckDeals);

constexpr std::uint32_t SmallSets = SetOffset[HandSize]; // the sets of at most four cards

using Cards = std::array<int, HandSize>;

// Calls visit(cards, index) for every set of `size` cards, in ascending order of its cards,
// with its index among the sets of that size: colexicographic order, in which the index counts
// up by one.
template <class Visit> void ForEachSet(int size, Visit visit) {
    Cards cards{};
    for (int i = 0; i < size; ++i) {
        cards[i] = i;
    }
    for (std::uint32_t index = 0;; ++index) {
        visit(cards, index);
        int i = 0; // the lowest card that can move up one
        while (i < size && cards[i] + 1 == (i + 1 < size ? cards[i + 1] : CardCount)) {
            ++i;
        }
        if (i == size) {
            return;
        }
        ++cards[i];
        for (int j = 0; j < i; ++j) {
            cards[j] = j;
        }
    }
}

// The index (within its size) of a set of `size` ascending cards without the one at `left`.
std::uint32_t IndexWithout(const Cards& cards, int size, int left) {
    std::uint32_t index = 0;
    for (int i = 0; i < size; ++i) {
        if (i != left) {
            index += Binomials[cards[i]][i < left ? i + 1 : i];
        }
    }
    return index;
}

} // namespace

OneDeckTable::OneDeckTable(const Game& game)
    : width_(game.HandCount()), handOfFive_(OneDeckDeals),
      counts_(std::size_t{SmallSets} * static_cast<std::size_t>(game.HandCount())),
      payTotals_(SmallSets) {
    assert(game.deck == DeckRule::OneDeck);
    for (const HandRule& hand : game.hands) {
        // The ranking packs a payback in 36 bits: pays up to 8000 fit.
        assert(static_cast<std::uint64_t>(hand.pay) * OneDeckDenominator < (1ull << 36));
        pays_.push_back(hand.pay);
    }
    CountHands(game);
    SumDown();
    for (std::uint32_t set = 0; set < SmallSets; ++set) {
        std::uint64_t total = 0;
        for (int hand = 0; hand < width_; ++hand) {
            total += std::uint64_t{counts_[std::size_t{set} * width_ + hand]} * pays_[hand];
        }
        payTotals_[set] = total;
    }
}

// Every hand of five cards recognised once, and counted in each of its five sets of four.
void OneDeckTable::CountHands(const Game& game) {
    const HandTable hands(game);
    std::uint32_t* const fours = &counts_[std::size_t{SetOffset[4]} * width_];
    ForEachSet(HandSize, [&](const Cards& cards, std::uint32_t index) {
        std::int32_t weights = 0;
        unsigned naturalSuits = 0;
        for (int card : cards) {
            weights += ValueWeight[CardValue(card)];
            naturalSuits |= game.IsWild(card) ? 0u : 1u << SuitOf(card);
        }
        const int hand = hands.Lookup(weights, std::popcount(naturalSuits) <= 1);
        handOfFive_[index] = static_cast<std::uint8_t>(hand);
        for (int left = 0; left < HandSize; ++left) {
            ++fours[std::size_t{IndexWithout(cards, HandSize, left)} * width_ + hand];
        }
    });
}

// From the sets of four down to the empty one: the hands containing a set of k cards are
// counted once through each of the 5 - k sets of k + 1 cards between it and them.
void OneDeckTable::SumDown() {
    for (int size = HandSize - 1; size > 0; --size) {
        std::uint32_t* const from = &counts_[std::size_t{SetOffset[size]} * width_];
        std::uint32_t* const to = &counts_[std::size_t{SetOffset[size - 1]} * width_];
        ForEachSet(size, [&](const Cards& cards, std::uint32_t index) {
            for (int left = 0; left < size; ++left) {
                std::uint32_t* const sum =
                    to + std::size_t{IndexWithout(cards, size, left)} * width_;
                for (int hand = 0; hand < width_; ++hand) {
                    sum[hand] += from[std::size_t{index} * width_ + hand];
                }
            }
        });
        const auto passes = static_cast<std::uint32_t>(HandSize - (size - 1));
        for (std::uint32_t i = SetOffset[size - 1] * width_; i < SetOffset[size] * width_; ++i) {
            assert(counts_[i] % passes == 0);
            counts_[i] /= passes;
        }
    }
}

// By the number of kept cards: OneDeckDenominator over the C(47, 5 - kept) draws.
constexpr auto Scales = [] {
    std::array<std::uint64_t, HandSize + 1> scales{};
    for (int kept = 0; kept <= HandSize; ++kept) {
        const std::uint64_t draws = Choose(CardCount - HandSize, HandSize - kept);
        scales[kept] = OneDeckDenominator / draws;
        assert(scales[kept] * draws == OneDeckDenominator);
    }
    return scales;
}();

std::uint64_t OneDeckTable::Scale(int keptCards) {
    return Scales[static_cast<std::size_t>(keptCards)];
}

OneDeckTable::Subsets OneDeckTable::SubsetsOf(const FiveCards& hand) {
    std::array<std::pair<int, int>, HandSize> sorted{}; // card, slot
    for (int slot = 0; slot < HandSize; ++slot) {
        assert(IsFace(hand[slot]));
        sorted[slot] = {hand[slot], slot};
    }
    std::sort(sorted.begin(), sorted.end());
    Subsets subsets;
    subsets.index[0] = SetOffset[0];
    for (unsigned subset = 1; subset < HoldCount; ++subset) {
        const int highest = std::bit_width(subset) - 1;
        const unsigned rest = subset & ~(1u << highest);
        assert(highest == 0 || sorted[highest].first != sorted[highest - 1].first);
        const int size = subsets.size[rest] + 1;
        subsets.size[subset] = size;
        subsets.index[subset] = subsets.index[rest] - SetOffset[size - 1] + SetOffset[size] +
                                Binomials[sorted[highest].first][size];
        subsets.slots[subset] = subsets.slots[rest] | 1u << sorted[highest].second;
    }
    return subsets;
}

std::array<Payback, HoldCount> OneDeckTable::AllHolds(const FiveCards& hand) const {
    const Subsets subsets = SubsetsOf(hand);
    std::array<std::int64_t, HoldCount> total{};
    for (unsigned subset = 0; subset < HoldCount; ++subset) {
        const std::uint32_t index = subsets.index[subset];
        total[subset] = static_cast<std::int64_t>(
            subset == AllKept ? pays_[handOfFive_[index - SmallSets]] : payTotals_[index]);
    }
    // The draws of a hold avoid its discards: take away, one discard at a time, the hands that
    // hold it as well.
    for (unsigned card = 1; card < HoldCount; card <<= 1) {
        for (unsigned subset = 0; subset < HoldCount; ++subset) {
            if ((subset & card) == 0) {
                total[subset] -= total[subset | card];
            }
        }
    }
    std::array<Payback, HoldCount> paybacks{};
    for (unsigned subset = 0; subset < HoldCount; ++subset) {
        assert(total[subset] >= 0);
        paybacks[subsets.slots[subset]] = {static_cast<std::uint64_t>(total[subset]) *
                                               Scale(subsets.size[subset]),
                                           OneDeckDenominator};
    }
    return paybacks;
}

std::vector<std::uint64_t> OneDeckTable::HoldOutcomes(const FiveCards& hand, HoldMask kept) const {
    const Subsets subsets = SubsetsOf(hand);
    const auto sortedKept = static_cast<unsigned>(
        std::find(subsets.slots.begin(), subsets.slots.end(), kept) - subsets.slots.begin());
    const unsigned discards = AllKept & ~sortedKept;
    std::vector<std::int64_t> counts(static_cast<std::size_t>(width_));
    // Every set of discards added to the hold, with the sign of inclusion-exclusion.
    for (unsigned added = discards;; added = (added - 1) & discards) {
        const std::int64_t sign = std::popcount(added) % 2 == 0 ? 1 : -1;
        const std::uint32_t index = subsets.index[sortedKept | added];
        if ((sortedKept | added) == AllKept) {
            counts[handOfFive_[index - SmallSets]] += sign;
        } else {
            for (int handIndex = 0; handIndex < width_; ++handIndex) {
                counts[handIndex] += sign * counts_[std::size_t{index} * width_ + handIndex];
            }
        }
        if (added == 0) {
            break;
        }
    }
    return {counts.begin(), counts.end()};
}

int OneDeckTable::HandOf(const FiveCards& hand) const {
    return handOfFive_[SubsetsOf(hand).index[AllKept] - SmallSets];
}

const OneDeckTable& OneDeckTable::Shared(const Game& game) {
    static std::mutex mutex;
    static std::vector<std::pair<const Game*, std::unique_ptr<const OneDeckTable>>> tables;
    const std::lock_guard lock(mutex);
    for (const auto& [known, table] : tables) {
        if (known == &game) {
            return *table;
        }
    }
    return *tables.emplace_back(&game, std::make_unique<const OneDeckTable>(game)).second;
}

} // namespace corvanta
