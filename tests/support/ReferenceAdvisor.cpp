#include "support/ReferenceAdvisor.h"

#include "engine/Round.h"
#include "engine/ValueMultisets.h"
#include "engine/basPoker.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace corvanta::test {
namespace {

constexpr std::uint32_t FiveValueMultisets =
    MultisetOffset[HandSize + 1] - MultisetOffset[HandSize];
static_assert(FiveValueMultisets == 6188);

// The multiplier of the final hands the draws reach, by their sorted values and whether
// all five cards share one suit. The evaluator looks at suits only to ask just that, and
// the value pattern it reads does not depend on the order of the cards, so one
// representative hand stands for all. Each is evaluated once, the first time it is asked
// for: the holds of one hand reach the same final hands again and again.
class FinalHands {
public:
    FinalHands() { multiplier_.fill(Unknown); }

    int Multiplier(const Values& sorted, bool oneSuit) {
        static constexpr Values OneSuit = {1, 1, 1, 1, 1};
        static constexpr Values MixedSuits = {1, 1, 1, 1, 2};
        std::int8_t& known = multiplier_[2 * MultisetRank(sorted, HandSize) + (oneSuit ? 1 : 0)];
        if (known == Unknown) {
            known = static_cast<std::int8_t>(
                PayoffFor(Classify(sorted, oneSuit ? OneSuit : MixedSuits).category).multiplier);
        }
        return known;
    }

private:
    static constexpr std::int8_t Unknown = -1;
    std::array<std::int8_t, 2 * FiveValueMultisets> multiplier_;
};

// The payback of keeping cards of the sorted values in slots [0, keptCount), of one suit
// or not, and drawing the other k = 5 - keptCount slots.
//
// The 52^k ordered draws group by the multiset of drawn values: each multiset stands for
// k!/(m1! m2! ...) value tuples, and each tuple for 4^k suit choices. Of these,
// `flushChoices` put all five cards in one suit: the one choice of the kept suit when the
// kept cards share it, none when they do not, one per suit when nothing is kept. So the
// multiplier of a one-suit and of a mixed-suit final hand per multiset, each weighed by
// its count, sum exactly to the sum over every single draw.
Payback KeptPayback(Values values, int keptCount, bool keptOneSuit, FinalHands& finals) {
    const int drawCount = HandSize - keptCount;
    const std::uint64_t suitChoices = Power(SuitCount, drawCount);
    const std::uint64_t flushChoices = keptCount == 0 ? SuitCount : keptOneSuit ? 1 : 0;
    const std::uint64_t mixedChoices = suitChoices - flushChoices;

    std::uint64_t drawTotal = 0; // sum of the multipliers over the 52^k draws
    auto addDraw = [&](const Values& keptAndDrawn) {
        Values final{};
        std::merge(keptAndDrawn.begin(), keptAndDrawn.begin() + keptCount,
                   keptAndDrawn.begin() + keptCount, keptAndDrawn.end(), final.begin());
        std::uint64_t sum = 0;
        if (flushChoices > 0) {
            sum += flushChoices * static_cast<std::uint64_t>(finals.Multiplier(final, true));
        }
        if (mixedChoices > 0) {
            sum += mixedChoices * static_cast<std::uint64_t>(finals.Multiplier(final, false));
        }
        drawTotal += Orderings(keptAndDrawn, keptCount, HandSize) * sum;
    };
    ForEachMultiset(values, keptCount, HandSize, LowestValue, addDraw);
    // Over 52^5 sequences: every draw outcome stands for 52^keptCount unused ones.
    return {drawTotal * Power(CardCount, keptCount)};
}

Payback HoldPayback(const FiveCards& hand, HoldMask kept, FinalHands& finals) {
    assert(kept <= AllKept);
    Values values{};
    Values suits{};
    int keptCount = 0;
    for (int slot = 0; slot < HandSize; ++slot) {
        assert(hand[slot] >= 0 && hand[slot] < CardCount);
        suits[slot] = CardSuit(hand[slot]);
        if (kept & (1u << slot)) {
            int position = keptCount++; // insert in order
            for (; position > 0 && values[position - 1] > CardValue(hand[slot]); --position) {
                values[position] = values[position - 1];
            }
            values[position] = CardValue(hand[slot]);
        }
    }
    const bool oneSuit = (OneSuitSubsets(suits) >> kept) & 1u;
    return KeptPayback(values, keptCount, oneSuit, finals);
}

} // namespace

Payback ReferencePayback(const FiveCards& hand, HoldMask kept) {
    FinalHands finals;
    return HoldPayback(hand, kept, finals);
}

HoldRanking ReferenceRankHolds(const FiveCards& hand) {
    FinalHands finals;
    HoldRanking ranking;
    for (HoldMask kept = 0; kept <= AllKept; ++kept) {
        ranking[kept] = {kept, HoldPayback(hand, kept, finals), false};
    }
    std::sort(ranking.begin(), ranking.end(), [](const HoldValue& a, const HoldValue& b) {
        if (a.payback != b.payback) {
            return a.payback > b.payback;
        }
        if (std::popcount(a.kept) != std::popcount(b.kept)) {
            return std::popcount(a.kept) > std::popcount(b.kept);
        }
        return a.kept < b.kept;
    });
    for (std::size_t i = 1; i < ranking.size(); ++i) {
        ranking[i].equalToPrevious = ranking[i].payback == ranking[i - 1].payback;
    }
    return ranking;
}

std::uint64_t ReferencePaybackSum() {
    FinalHands finals;
    std::uint64_t sum = 0;
    Values values{};
    for (int size = 0; size <= HandSize; ++size) {
        auto keep = [&](const Values& kept) {
            // Fewer than two cards are always "of one suit".
            const Payback oneSuit = KeptPayback(kept, size, true, finals);
            sum += oneSuit.total +
                   (size >= 2 ? KeptPayback(kept, size, false, finals) : oneSuit).total;
        };
        ForEachMultiset(values, 0, size, LowestValue, keep);
    }
    return sum;
}

} // namespace corvanta::test
