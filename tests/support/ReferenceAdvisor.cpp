#include "support/ReferenceAdvisor.h"

#include <algorithm>
#include <array>
#include <bit>

namespace corvanta::test {
namespace {

// What a final hand pays, times the bet.
constexpr int RoyalFlush = 100;
constexpr int StraightFlush = 50;
constexpr int FiveOfAKind = 40;
constexpr int FourOfAKind = 25;
constexpr int FullHouse = 12;
constexpr int Flush = 8;
constexpr int Straight = 5;
constexpr int ThreeOfAKind = 3;
constexpr int TwoPair = 2;
constexpr int OnePair = 1;

constexpr int Five = 5;
constexpr int Two = 2;  // the lowest value
constexpr int Ace = 14; // the highest: the ace only ever counts high
constexpr std::uint64_t Suits = 4;
constexpr std::uint64_t Deck = 52;

// Five card values in increasing order (the first `count` of them, while a hand is built up).
using Sorted = std::array<int, Five>;

// Card number n: n / 4 numbers the ranks from the ace (0) to the king (12), n % 4 the suit.
int ValueOfCard(int card) {
    return card / 4 == 0 ? Ace : card / 4 + 1;
}
int SuitOfCard(int card) {
    return card % 4;
}

// Four and five of a kind stand whatever the suits. Otherwise a straight in one suit is a
// straight flush (royal from the ten up), then a straight, then a flush, which beats every pair
// and three (a full house in one suit, made with a repeated card, pays as a flush).
int Payout(const Sorted& values, bool oneSuit) {
    std::array<int, Ace + 1> cardsOfValue{};
    for (int value : values) {
        ++cardsOfValue[value];
    }
    const int most = *std::max_element(cardsOfValue.begin(), cardsOfValue.end());
    const auto pairs = std::count(cardsOfValue.begin(), cardsOfValue.end(), 2);
    const bool straight = most == 1 && values[4] - values[0] == 4;
    if (most >= 4) {
        return most == 5 ? FiveOfAKind : FourOfAKind;
    }
    if (straight && oneSuit) {
        return values[0] == 10 ? RoyalFlush : StraightFlush;
    }
    if (straight || oneSuit) {
        return straight ? Straight : Flush;
    }
    if (most == 3) {
        return pairs == 1 ? FullHouse : ThreeOfAKind;
    }
    return pairs == 2 ? TwoPair : pairs == 1 ? OnePair : 0;
}

std::uint64_t Factorial(int n) {
    return n <= 1 ? 1 : static_cast<std::uint64_t>(n) * Factorial(n - 1);
}

std::uint64_t PowerOf(std::uint64_t base, int exponent) {
    return exponent == 0 ? 1 : base * PowerOf(base, exponent - 1);
}

// The draws after keeping cards of some values: every multiset of values the other cards can
// bring, weighed by the ordered draws it stands for. The 52^k ordered draws of k cards group by
// their values: a multiset of values comes in k! / (m1! m2! ...) orders (m the repeats of each
// value), and each order with 4^k choices of suits. Of those, `flushChoices` put all five cards
// in one suit: one when the kept cards share a suit, none when they do not, four when nothing
// is kept.
class Draws {
public:
    Draws(const Sorted& kept, int keptCount, bool keptOneSuit)
        : kept_(kept), keptCount_(keptCount), drawCount_(Five - keptCount),
          flushChoices_(keptCount == 0 ? Suits
                        : keptOneSuit  ? 1
                                       : 0),
          mixedChoices_(PowerOf(Suits, drawCount_) - flushChoices_) {}

    // The payback over the 52^5 draw sequences: each draw stands for the 52^kept sequences
    // of the cards it does not use.
    Payback Total() {
        drawTotal_ = 0;
        DrawFrom(0, Two);
        return {drawTotal_ * PowerOf(Deck, keptCount_)};
    }

private:
    void DrawFrom(int position, int lowest) {
        if (position == drawCount_) {
            AddDraw();
            return;
        }
        for (int value = lowest; value <= Ace; ++value) {
            drawn_[position] = value;
            DrawFrom(position + 1, value);
        }
    }

    void AddDraw() {
        std::uint64_t repeats = 1;
        for (int i = 0, run = 0; i < drawCount_; ++i) {
            run = i > 0 && drawn_[i] == drawn_[i - 1] ? run + 1 : 1;
            repeats *= static_cast<std::uint64_t>(run);
        }
        const std::uint64_t orders = Factorial(drawCount_) / repeats;
        Sorted final = kept_;
        std::copy(drawn_.begin(), drawn_.begin() + drawCount_, final.begin() + keptCount_);
        std::sort(final.begin(), final.end());
        drawTotal_ += orders * (flushChoices_ * static_cast<std::uint64_t>(Payout(final, true)) +
                                mixedChoices_ * static_cast<std::uint64_t>(Payout(final, false)));
    }

    Sorted kept_;
    int keptCount_;
    int drawCount_;
    std::uint64_t flushChoices_;
    std::uint64_t mixedChoices_;
    Sorted drawn_{};
    std::uint64_t drawTotal_ = 0;
};

} // namespace

int ReferencePayout(const FiveCards& hand) {
    Sorted values{};
    bool oneSuit = true;
    for (int slot = 0; slot < Five; ++slot) {
        values[slot] = ValueOfCard(hand[slot]);
        oneSuit = oneSuit && SuitOfCard(hand[slot]) == SuitOfCard(hand[0]);
    }
    std::sort(values.begin(), values.end());
    return Payout(values, oneSuit);
}

Payback ReferencePayback(const FiveCards& hand, HoldMask kept) {
    Sorted values{};
    int keptCount = 0;
    bool oneSuit = true;
    int suit = -1;
    for (int slot = 0; slot < Five; ++slot) {
        if (kept & (1u << slot)) {
            values[keptCount++] = ValueOfCard(hand[slot]);
            oneSuit = oneSuit && (suit < 0 || SuitOfCard(hand[slot]) == suit);
            suit = SuitOfCard(hand[slot]);
        }
    }
    return Draws(values, keptCount, oneSuit).Total();
}

HoldRanking ReferenceRankHolds(const FiveCards& hand) {
    HoldRanking ranking;
    for (HoldMask kept = 0; kept < 32; ++kept) {
        ranking[kept] = {kept, ReferencePayback(hand, kept), false};
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

namespace {

// Every multiset of `size` kept values, nondecreasing from `lowest`, in both suit cases.
std::uint64_t SumOverKeptValues(Sorted& kept, int position, int size, int lowest) {
    if (position == size) {
        const std::uint64_t oneSuit = Draws(kept, size, true).Total().total;
        // Fewer than two cards always share a suit.
        return oneSuit + (size >= 2 ? Draws(kept, size, false).Total().total : oneSuit);
    }
    std::uint64_t sum = 0;
    for (int value = lowest; value <= Ace; ++value) {
        kept[position] = value;
        sum += SumOverKeptValues(kept, position + 1, size, value);
    }
    return sum;
}

} // namespace

std::uint64_t ReferencePaybackSum() {
    std::uint64_t sum = 0;
    Sorted kept{};
    for (int size = 0; size <= Five; ++size) {
        sum += SumOverKeptValues(kept, 0, size, Two);
    }
    return sum;
}

} // namespace corvanta::test
