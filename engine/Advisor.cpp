#include "engine/Advisor.h"

#include "engine/Game.h"
#include "engine/OneDeckAnalysis.h"
#include "engine/Round.h"
#include "engine/ValueMultisets.h"
#include "engine/basPoker.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <functional>
#include <limits>

namespace corvanta {
namespace {

// The number of cards each hold keeps. (std::popcount is a library call on the baseline
// x86-64 the program is built for, and the ranking asks for it in every comparison.)
constexpr std::array<int, HoldCount> KeptCards = [] {
    std::array<int, HoldCount> counts{};
    for (unsigned kept = 1; kept < HoldCount; ++kept) {
        counts[kept] = counts[kept & (kept - 1)] + 1;
    }
    return counts;
}();

constexpr std::uint32_t MultisetCount = MultisetOffset[HandSize + 1];
static_assert(MultisetCount == 8568);

// The index of the first `size` sorted values.
std::uint32_t MultisetIndex(const Values& sorted, int size) {
    return MultisetOffset[size] + MultisetRank(sorted, size);
}

// The index of the first `size` sorted values with one more value.
std::uint32_t IndexWith(const Values& sorted, int size, int value) {
    Values with{};
    int i = 0;
    for (; i < size && sorted[i] <= value; ++i) {
        with[i] = sorted[i];
    }
    with[i] = value;
    for (; i < size; ++i) {
        with[i + 1] = sorted[i];
    }
    return MultisetIndex(with, size + 1);
}

int SizeOf(std::uint32_t index) {
    int size = 0;
    while (index >= MultisetOffset[size + 1]) {
        ++size;
    }
    return size;
}

// For values in ascending order: the multiset index of every subset of the five positions
// (bit i is position i), each built from the subset without its highest position.
std::array<std::uint32_t, HoldCount> SubsetIndices(const Values& sortedValues) {
    std::array<int, HoldCount> size{};
    std::array<std::uint32_t, HoldCount> rank{}; // among the multisets of its size
    std::array<std::uint32_t, HoldCount> index{};
    for (unsigned subset = 1; subset < HoldCount; ++subset) {
        const int highest = std::bit_width(subset) - 1;
        const unsigned rest = subset & ~(1u << highest);
        size[subset] = size[rest] + 1;
        rank[subset] = rank[rest] + MultisetTerm[sortedValues[highest]][size[rest]];
        index[subset] = MultisetOffset[size[subset]] + rank[subset];
    }
    return index;
}

// What is added up over the draws: one count (the multiplier) for the paybacks, one count
// per category for the return table.
template <std::size_t N> using Tally = std::array<std::uint32_t, N>;
template <std::size_t N>
using Totals = std::array<std::uint64_t, N>; // over the 52^5 draw sequences

// For every multiset of kept values, by index: the tally summed over the 13^k value tuples
// the k = 5 - size draws can add, once with the five final cards in mixed suits and once
// in one suit. (13^5 tuples times the largest multiplier, 100, fit in 32 bits.)
template <std::size_t N> struct DrawSums {
    std::vector<Tally<N>> mixed = std::vector<Tally<N>>(MultisetCount);
    std::vector<Tally<N>> oneSuit = std::vector<Tally<N>>(MultisetCount);

    // Keeping the multiset, its cards of one suit or not. Each value tuple comes with 4^k
    // suit choices for the drawn cards; `flushChoices` of them put all five cards in one
    // suit: the kept suit when the kept cards share it, none when they do not, any of the
    // four when nothing is kept. Every draw stands for 52^size unused ones.
    Totals<N> Hold(std::uint32_t index, bool keptOneSuit) const {
        const int size = SizeOf(index);
        const std::uint64_t suitChoices = Power(SuitCount, HandSize - size);
        const std::uint64_t flushChoices =
            size == 0 ? SuitCount : (keptOneSuit || size == 1 ? 1 : 0);
        const std::uint64_t unused = Power(CardCount, size);
        Totals<N> totals{};
        for (std::size_t i = 0; i < N; ++i) {
            totals[i] = (flushChoices * oneSuit[index][i] +
                         (suitChoices - flushChoices) * mixed[index][i]) *
                        unused;
        }
        return totals;
    }
};

template <std::size_t N> void AddTo(Tally<N>& sum, const Tally<N>& part) {
    for (std::size_t i = 0; i < N; ++i) {
        sum[i] += part[i];
    }
}

// leaf(sorted values, one suit) tallies a final hand. A multiset of fewer values sums its
// tallies over the value of the next card drawn: the tuples of k values are those of k - 1
// values after each of the 13 first ones. So each multiset costs 13 additions, from the
// five-card hands down to the empty one.
template <std::size_t N, class Leaf> DrawSums<N> SumOverDraws(Leaf leaf) {
    DrawSums<N> sums;
    Values values{};
    auto finalHand = [&](const Values& sorted) {
        const std::uint32_t index = MultisetIndex(sorted, HandSize);
        sums.mixed[index] = leaf(sorted, false);
        sums.oneSuit[index] = leaf(sorted, true);
    };
    ForEachMultiset(values, 0, HandSize, LowestValue, finalHand);
    for (int size = HandSize - 1; size >= 0; --size) {
        auto kept = [&](const Values& sorted) {
            const std::uint32_t index = MultisetIndex(sorted, size);
            for (int value = LowestValue; value <= HighestValue; ++value) {
                const std::uint32_t next = IndexWith(sorted, size, value);
                AddTo(sums.mixed[index], sums.mixed[next]);
                AddTo(sums.oneSuit[index], sums.oneSuit[next]);
            }
        };
        ForEachMultiset(values, 0, size, LowestValue, kept);
    }
    return sums;
}

// The ways to give five slots suits, up to renaming the suits: which slots share a suit,
// as suit indices in order of first use, and how many of the 4^5 suit tuples look so.
struct SuitPattern {
    Values suits{};
    std::uint64_t tuples = 0;
};

std::vector<SuitPattern> SuitPatterns() {
    std::vector<SuitPattern> patterns;
    SuitPattern pattern;
    auto extend = [&](auto& self, int slot, int used) -> void {
        if (slot == HandSize) {
            // The first suit used can be any of 4, the second any of the 3 left, ...
            pattern.tuples = Factorial(SuitCount) / Factorial(SuitCount - used);
            patterns.push_back(pattern);
            return;
        }
        for (int suit = 0; suit <= std::min(used, SuitCount - 1); ++suit) {
            pattern.suits[slot] = suit;
            self(self, slot + 1, std::max(used, suit + 1));
        }
    };
    extend(extend, 0, 0);
    return patterns;
}

// Dealt hands alike up to the order of their cards and the names of their suits: sorted
// values, and which subsets of their positions share a suit.
struct DealtClass {
    std::array<std::uint32_t, HoldCount> multiset{}; // index of each subset of positions
    std::uint32_t oneSuit = 0;                       // bit per subset of positions
    std::uint64_t orderings = 0;                     // value tuples that sort to `sorted`
    std::uint64_t tuples = 0;                        // suit tuples of the pattern

    std::uint64_t Hands() const { return orderings * tuples; }
    bool OneSuit(unsigned subset) const { return (oneSuit >> subset) & 1u; }
};

// Every ordered hand is a tuple of values with a tuple of suits. Sorting the values (and
// carrying the suits along) maps the 13^5 value tuples onto the 6188 sorted ones, each
// standing for Orderings() of them; the 4^5 suit tuples fall into 51 patterns of which
// positions share a suit, and renaming the suits changes no payback. So the classes,
// weighed by Hands(), cover all 52^5 dealt hands exactly.
template <class Visit> void ForEachDealtClass(Visit visit) {
    std::vector<std::pair<std::uint32_t, std::uint64_t>> patterns; // one-suit subsets, tuples
    for (const SuitPattern& pattern : SuitPatterns()) {
        patterns.emplace_back(OneSuitSubsets(pattern.suits), pattern.tuples);
    }
    DealtClass dealt;
    auto addValues = [&](const Values& sorted) {
        dealt.multiset = SubsetIndices(sorted);
        dealt.orderings = Orderings(sorted, 0, HandSize);
        for (const auto& [oneSuit, tuples] : patterns) {
            dealt.oneSuit = oneSuit;
            dealt.tuples = tuples;
            visit(dealt);
        }
    };
    Values values{};
    ForEachMultiset(values, 0, HandSize, LowestValue, addValues);
}

// A sum of Payback::total over the 52^5 dealt hands fits in 64 bits, as the largest
// multiplier is 100.
static_assert(PayoffFor(Category::RoyalFlush).multiplier == 100 &&
              std::numeric_limits<std::uint64_t>::max() / RoundSequences >= 100);

} // namespace

PaybackTable::PaybackTable() : entries_(2 * std::size_t{MultisetCount}) {
    const DrawSums<1> sums = SumOverDraws<1>([](const Values& sorted, bool oneSuit) {
        return Tally<1>{
            static_cast<std::uint32_t>(PayoffFor(FastCategory(sorted, oneSuit)).multiplier)};
    });
    for (std::uint32_t index = 0; index < MultisetCount; ++index) {
        entries_[2 * index] = sums.Hold(index, false)[0];
        entries_[2 * index + 1] = sums.Hold(index, true)[0];
    }
}

const PaybackTable& PaybackTable::Shared() {
    static const PaybackTable table;
    return table;
}

Payback PaybackTable::Lookup(std::uint32_t multiset, bool oneSuit) const {
    return {entries_[2 * std::size_t{multiset} + (oneSuit ? 1 : 0)]};
}

std::array<Payback, HoldCount> PaybackTable::AllHolds(const FiveCards& hand) const {
    // Sorted by value, every subset of the positions lists its values in order.
    Values value{};
    Values suit{};
    std::array<HoldMask, HandSize> slot{};
    for (int i = 0; i < HandSize; ++i) {
        assert(IsFace(hand[i]));
        int j = i;
        for (; j > 0 && value[j - 1] > CardValue(hand[i]); --j) {
            value[j] = value[j - 1];
            suit[j] = suit[j - 1];
            slot[j] = slot[j - 1];
        }
        value[j] = CardValue(hand[i]);
        suit[j] = CardSuit(hand[i]);
        slot[j] = 1u << i;
    }
    const auto multiset = SubsetIndices(value);
    const std::uint32_t oneSuit = OneSuitSubsets(suit);
    std::array<HoldMask, HoldCount> kept{}; // the slots of each subset of positions
    std::array<Payback, HoldCount> result{};
    for (unsigned subset = 0; subset < HoldCount; ++subset) {
        if (subset > 0) {
            const int highest = std::bit_width(subset) - 1;
            kept[subset] = kept[subset & ~(1u << highest)] | slot[highest];
        }
        result[kept[subset]] = Lookup(multiset[subset], (oneSuit >> subset) & 1u);
    }
    return result;
}

Payback PaybackTable::Hold(const FiveCards& hand, HoldMask kept) const {
    assert(kept <= AllKept);
    Values values{};
    int size = 0;
    bool oneSuit = true;
    for (int slot = 0; slot < HandSize; ++slot) {
        assert(IsFace(hand[slot]));
        if ((kept & (1u << slot)) == 0) {
            continue;
        }
        oneSuit = oneSuit &&
                  (size == 0 || CardSuit(hand[slot]) == CardSuit(hand[std::countr_zero(kept)]));
        int position = size++; // insert in order
        for (; position > 0 && values[position - 1] > CardValue(hand[slot]); --position) {
            values[position] = values[position - 1];
        }
        values[position] = CardValue(hand[slot]);
    }
    return Lookup(MultisetIndex(values, size), oneSuit);
}

Payback ExpectedPayback(const FiveCards& hand, HoldMask kept) {
    return PaybackTable::Shared().Hold(hand, kept);
}

HoldRanking RankHolds(const FiveCards& hand) {
    static_assert(PayoffFor(Category::RoyalFlush).multiplier * DrawSequences < (1ull << 56));
    return RankPaybacks(PaybackTable::Shared().AllHolds(hand));
}

namespace {

// Sorts the holds by their keys, largest first. A key holds the payback's total above
// `tieBits` bits of the tie rule, whose lowest five are AllKept - mask (the lower mask first).
HoldRanking RankByKeys(std::array<std::uint64_t, HoldCount> keys, int tieBits,
                       std::uint64_t denominator) {
    std::sort(keys.begin(), keys.end(), std::greater<>());
    HoldRanking ranking;
    for (std::size_t i = 0; i < ranking.size(); ++i) {
        ranking[i].kept = AllKept - static_cast<HoldMask>(keys[i] & AllKept);
        ranking[i].payback = {keys[i] >> tieBits, denominator};
        ranking[i].equalToPrevious = i > 0 && ranking[i].payback == ranking[i - 1].payback;
    }
    return ranking;
}

// For every hold, its kept values from the highest, four bits each: of two holds keeping as
// many cards, the larger number keeps the higher cards.
std::array<std::uint32_t, HoldCount> KeptValues(const FiveCards& hand) {
    std::array<int, HandSize> byValue = {0, 1, 2, 3, 4}; // the slots, the highest value first
    std::stable_sort(byValue.begin(), byValue.end(),
                     [&](int a, int b) { return CardValue(hand[a]) > CardValue(hand[b]); });
    // Built over subsets of positions in that order, each from the subset without its last
    // (lowest) card, and stored by the subset's slots.
    std::array<std::uint32_t, HoldCount> byPositions{};
    std::array<HoldMask, HoldCount> slots{};
    std::array<std::uint32_t, HoldCount> keys{};
    for (unsigned subset = 1; subset < HoldCount; ++subset) {
        const int last = std::bit_width(subset) - 1;
        const unsigned rest = subset & ~(1u << last);
        const int slot = byValue[static_cast<std::size_t>(last)];
        byPositions[subset] =
            byPositions[rest] << 4 | static_cast<std::uint32_t>(CardValue(hand[slot]));
        slots[subset] = slots[rest] | 1u << slot;
        keys[slots[subset]] = byPositions[subset];
    }
    return keys;
}

} // namespace

HoldRanking RankPaybacks(const std::array<Payback, HoldCount>& paybacks) {
    // The payback, then the number of kept cards, then the lower mask. Every classic total
    // stays under 2^56 (100 x 52^5).
    std::array<std::uint64_t, HoldCount> keys{};
    for (HoldMask kept = 0; kept <= AllKept; ++kept) {
        assert(paybacks[kept].total < (1ull << 56));
        keys[kept] = paybacks[kept].total << 8 | static_cast<std::uint64_t>(KeptCards[kept]) << 5 |
                     (AllKept - kept);
    }
    return RankByKeys(keys, 8, paybacks[0].denominator);
}

HoldRanking RankPaybacksByValue(const std::array<Payback, HoldCount>& paybacks,
                                const FiveCards& hand) {
    // The payback, then the number of kept cards, then the kept values, then the lower mask.
    // A one-deck total stays under 2^36 (a pay of 8000 x OneDeckDenominator).
    const std::array<std::uint32_t, HoldCount> values = KeptValues(hand);
    std::array<std::uint64_t, HoldCount> keys{};
    for (HoldMask kept = 0; kept <= AllKept; ++kept) {
        assert(paybacks[kept].total < (1ull << 36));
        keys[kept] = paybacks[kept].total << 28 |
                     static_cast<std::uint64_t>(KeptCards[kept]) << 25 |
                     std::uint64_t{values[kept]} << 5 | (AllKept - kept);
    }
    return RankByKeys(keys, 28, paybacks[0].denominator);
}

HoldRanking RankHolds(const Game& game, const FiveCards& hand) {
    if (game.deck == DeckRule::FullDeckEachCard) {
        assert(game.recognition == Recognition::ClassicTests);
        return RankHolds(hand);
    }
    return RankPaybacksByValue(OneDeckTable::Shared(game).AllHolds(hand), hand);
}

DiscardMarks BestHoldDiscards(const Game& game, const FiveCards& hand) {
    return DiscardsOf(RankHolds(game, hand).front().kept);
}

DiscardMarks DiscardsOf(HoldMask kept) {
    DiscardMarks discards{};
    for (int slot = 0; slot < HandSize; ++slot) {
        discards[slot] = (kept & (1u << slot)) == 0;
    }
    return discards;
}

HoldMask KeptBy(const DiscardMarks& discards) {
    HoldMask kept = 0;
    for (int slot = 0; slot < HandSize; ++slot) {
        if (!discards[slot]) {
            kept |= 1u << slot;
        }
    }
    return kept;
}

DiscardMarks BestHoldDiscards(const FiveCards& hand) {
    return DiscardsOf(RankHolds(hand).front().kept);
}

namespace {

using ReturnRows = std::array<ReturnRow, CategoryCount>;

// The tally of the return table: the category each final hand ends in.
DrawSums<CategoryCount> CategoryCounts() {
    return SumOverDraws<CategoryCount>([](const Values& sorted, bool oneSuit) {
        Tally<CategoryCount> tally{};
        tally[static_cast<std::size_t>(FastCategory(sorted, oneSuit))] = 1;
        return tally;
    });
}

void AddRounds(ReturnRows& rows, const Totals<CategoryCount>& counts, std::uint64_t hands) {
    for (std::size_t category = 0; category < rows.size(); ++category) {
        rows[category].rounds += counts[category] * hands;
    }
}

// The subsets of positions of the largest payback, bit s for subset s: the holds RankHolds
// may list first, depending on the slots the cards were dealt to.
std::uint32_t BestSubsets(const std::array<Payback, HoldCount>& paybacks) {
    const Payback best = *std::max_element(paybacks.begin(), paybacks.end());
    std::uint32_t subsets = 0;
    for (unsigned subset = 0; subset < HoldCount; ++subset) {
        subsets |= (paybacks[subset] == best ? 1u : 0u) << subset;
    }
    return subsets;
}

[[maybe_unused]] bool ReachCategoriesAlike(const DealtClass& dealt, std::uint32_t subsets,
                                           const Totals<CategoryCount>& counts,
                                           const DrawSums<CategoryCount>& outcomes) {
    for (; subsets != 0; subsets &= subsets - 1) {
        const int subset = std::countr_zero(subsets);
        if (outcomes.Hold(dealt.multiset[subset], dealt.OneSuit(subset)) != counts) {
            return false;
        }
    }
    return true;
}

// The rounds of perfect play in one class. Of equal best holds, RankHolds lists first the
// one keeping the most cards, then the lowest mask of slots, which depends on the slots the
// cards were dealt to. But in this game equal best holds always reach every category equally
// often (checked below, in the debug builds the tests run), so the one of the most cards and
// the lowest positions stands for whichever the rule takes.
void AddPerfectPlay(ReturnRows& rows, const DealtClass& dealt, std::uint32_t best,
                    const DrawSums<CategoryCount>& outcomes) {
    int chosen = std::countr_zero(best);
    for (std::uint32_t rest = best; rest != 0; rest &= rest - 1) {
        const int subset = std::countr_zero(rest);
        chosen = KeptCards[subset] > KeptCards[chosen] ? subset : chosen;
    }
    const Totals<CategoryCount> counts =
        outcomes.Hold(dealt.multiset[chosen], dealt.OneSuit(chosen));
    assert(ReachCategoriesAlike(dealt, best, counts, outcomes));
    AddRounds(rows, counts, dealt.Hands());
}

} // namespace

double ReturnRow::Probability() const {
    return static_cast<double>(static_cast<long double>(rounds) / RoundSequences);
}

double ReturnRow::Contribution() const {
    return multiplier * Probability();
}

ReturnTable ComputeReturnTable() {
    const PaybackTable& table = PaybackTable::Shared();
    const DrawSums<CategoryCount> outcomes = CategoryCounts();
    ReturnTable result;
    for (std::size_t category = 0; category < PayoffTable.size(); ++category) {
        result.perfectPlay[category].multiplier = PayoffTable[category].multiplier;
        result.standPat[category].multiplier = PayoffTable[category].multiplier;
    }
    ForEachDealtClass([&](const DealtClass& dealt) {
        std::array<Payback, HoldCount> paybacks{};
        for (unsigned subset = 0; subset < HoldCount; ++subset) {
            paybacks[subset] = table.Lookup(dealt.multiset[subset], dealt.OneSuit(subset));
        }
        AddPerfectPlay(result.perfectPlay, dealt, BestSubsets(paybacks), outcomes);
        AddRounds(result.standPat, outcomes.Hold(dealt.multiset[AllKept], dealt.OneSuit(AllKept)),
                  dealt.Hands());
    });
    return result;
}

double MarksReview::MultipleGivenUp() const {
    return static_cast<double>(best.total - played.total) / static_cast<double>(best.denominator);
}

MarksReview ReviewMarks(const HoldRanking& ranking, const DiscardMarks& discards) {
    const HoldMask kept = KeptBy(discards);
    MarksReview review;
    review.played = std::find_if(ranking.begin(), ranking.end(), [&](const HoldValue& hold) {
                        return hold.kept == kept;
                    })->payback;
    review.best = ranking.front().payback;
    review.matchedBest = review.played == review.best;
    return review;
}

double ReturnPerRound(const ReturnRows& rows) {
    std::uint64_t total = 0;
    for (const ReturnRow& row : rows) {
        total += row.ContributionTotal();
    }
    return static_cast<double>(static_cast<long double>(total) / RoundSequences);
}

} // namespace corvanta
