#include "engine/basPoker.h"

#include "engine/Game.h"
#include "engine/ValueMultisets.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <ctime>

namespace corvanta {

std::chrono::microseconds TimeOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t whole = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&whole, &local);
    const auto sinceMidnight = hours(local.tm_hour) + minutes(local.tm_min) + seconds(local.tm_sec);
    const auto withinSecond = duration_cast<microseconds>(now.time_since_epoch()) % seconds(1);
    return sinceMidnight + withinSecond;
}

TimeSeededRandom::TimeSeededRandom() : TimeSeededRandom(&TimeOfDay) {}

TimeSeededRandom::TimeSeededRandom(Clock clock) : clock_(std::move(clock)) {
    Reseed();
}

void TimeSeededRandom::Reseed() {
    generator_.seed(static_cast<std::uint64_t>(clock_().count()));
}

double TimeSeededRandom::Next() {
    // The top 53 bits as a fraction: exact, uniform, and the same on every platform.
    return static_cast<double>(generator_() >> 11) * 0x1.0p-53;
}

void DealCards(Table& table, RandomSource& random) {
    random.Reseed();
    for (int slot = 0; slot < HandSize; ++slot) {
        if (table.Discard[slot]) {
            const int card = static_cast<int>(random.Next() * CardCount);
            table.Hand[slot] = static_cast<std::int16_t>(std::clamp(card, 0, CardCount - 1));
            table.Discard[slot] = false;
        }
    }
}

void DealCards(const Game& game, Table& table, RandomSource& random) {
    if (game.deck == DeckRule::FullDeckEachCard) {
        DealCards(table, random);
        return;
    }
    // The deck: every card not on the table when the deal or the draw begins, in card order.
    std::array<std::int16_t, CardCount> deck{};
    int left = 0;
    for (std::int16_t card = 0; card < CardCount; ++card) {
        if (std::find(table.Hand.begin(), table.Hand.end(), card) == table.Hand.end()) {
            deck[left++] = card;
        }
    }
    random.Reseed();
    for (int slot = 0; slot < HandSize; ++slot) {
        if (table.Discard[slot]) {
            const int pick = std::clamp(static_cast<int>(random.Next() * left), 0, left - 1);
            table.Hand[slot] = deck[pick];
            std::copy(deck.begin() + pick + 1, deck.begin() + left, deck.begin() + pick);
            --left;
            table.Discard[slot] = false;
        }
    }
}

KindsOutcome CheckKinds(const Values& values) {
    if (std::all_of(values.begin(), values.end(), [&](int v) { return v == values[0]; })) {
        return {KindsResult::FiveOfAKind, Category::FiveOfAKind};
    }
    KindsOutcome outcome;
    bool pairFound = false;
    bool threeFound = false;
    int pairValue = 0;
    for (int x : values) {
        const auto count = std::count(values.begin(), values.end(), x);
        if (count == 4) {
            return {KindsResult::FourOfAKind, Category::FourOfAKind};
        }
        if (count == 3) {
            if (pairFound) {
                return {KindsResult::FullHouse, Category::FullHouse};
            }
            outcome = {KindsResult::ThreeOfAKind, Category::ThreeOfAKind};
            threeFound = true;
        } else if (count == 2) {
            if (pairFound && x != pairValue) {
                return {KindsResult::TwoPair, Category::TwoPair};
            }
            if (threeFound) {
                return {KindsResult::FullHouse, Category::FullHouse};
            }
            if (!pairFound) {
                outcome = {KindsResult::OnePair, Category::OnePair};
                pairFound = true;
                pairValue = x;
            }
        }
    }
    return outcome;
}

bool CheckFlush(const Values& suits) {
    // Every suit compared, without stopping at the first other one: on random hands an early
    // exit is a branch the processor often guesses wrong, a quarter of FastCategory's time.
    bool oneSuit = true;
    for (int suit : suits) {
        oneSuit &= suit == suits[0];
    }
    return oneSuit;
}

StraightOutcome CheckStraight(const Values& values) {
    StraightOutcome outcome;
    outcome.LNum = *std::min_element(values.begin(), values.end());
    outcome.SubNum = outcome.LNum - 1;
    unsigned seen = 0; // one bit per adjusted value, to tell whether all five differ
    for (int value : values) {
        const int adjusted = value - outcome.SubNum;
        outcome.FAdd += adjusted;
        seen |= 1u << adjusted;
    }
    const bool allDifferent = std::popcount(seen) == HandSize;
    outcome.straight = outcome.FAdd == 15 && allDifferent;
    outcome.royal = outcome.straight && outcome.LNum == 10;
    return outcome;
}

namespace {

const char* BoolText(bool value) {
    return value ? "True" : "False";
}

} // namespace

Classification Classify(const Values& values, const Values& suits) {
    Classification c;
    const KindsOutcome kinds = CheckKinds(values);
    c.category = kinds.category;
    if (kinds.result == KindsResult::FiveOfAKind || kinds.result == KindsResult::FourOfAKind) {
        return c;
    }
    c.testsRan = true;
    c.flush = CheckFlush(suits);
    if (c.flush) {
        c.category = Category::Flush;
    }
    c.straight = CheckStraight(values);
    if (c.straight.straight) {
        c.category = Category::Straight;
    }
    if (c.flush && c.straight.straight) {
        c.category = c.straight.royal ? Category::RoyalFlush : Category::StraightFlush;
    }
    return c;
}

// By sum of weights: the category of five cards of those values in mixed suits (the low four
// bits) and in one suit (the high four). One byte an entry keeps the table in the second-level
// cache; the sums no hand reaches stay 0.
CategoryTable::CategoryTable() : bySum_(WeightSums) {
    static constexpr Values OneSuit = {1, 1, 1, 1, 1};
    static constexpr Values MixedSuits = {1, 1, 1, 1, 2};
    auto fill = [&](const Values& values) {
        std::uint8_t& entry = bySum_[WeightSum(values)];
        assert(entry == 0); // the weights tell every multiset apart
        entry = static_cast<std::uint8_t>(
            static_cast<unsigned>(Classify(values, MixedSuits).category) |
            static_cast<unsigned>(Classify(values, OneSuit).category) << 4);
    };
    Values values{};
    ForEachMultiset(values, 0, HandSize, LowestValue, fill);
}

const CategoryTable& CategoryTable::Shared() {
    static const CategoryTable table;
    return table;
}

Category CategoryTable::Lookup(const Values& values, bool flush) const {
    return static_cast<Category>((bySum_[WeightSum(values)] >> (flush ? 4 : 0)) & 0xF);
}

Category FastCategory(const Values& values, const Values& suits) {
    return CategoryTable::Shared().Lookup(values, CheckFlush(suits));
}

Category FastCategory(const Values& values, bool flush) {
    return CategoryTable::Shared().Lookup(values, flush);
}

Evaluation EvaluateHand(const FiveCards& hand) {
    Evaluation e;
    for (int i = 0; i < HandSize; ++i) {
        e.suits[i] = CardSuit(hand[i]);
        e.values[i] = CardValue(hand[i]);
    }
    static_cast<Classification&>(e) = Classify(e.values, e.suits);
    if (e.testsRan) {
        e.trace = std::string(" >> Checkflush: ") + BoolText(e.flush) +
                  " >> CheckStraight: " + BoolText(e.straight.straight) +
                  " >> CheckRF: " + BoolText(e.straight.royal);
    }
    return e;
}

} // namespace corvanta
