#pragma once
// Cards, the dealer and the hand evaluator.

#include "engine/Table.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace corvanta {

// Uniform numbers in [0, 1), reseeded from the time of day before every deal.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Reseed() = 0;
    virtual double Next() = 0;
};

// The game's own source: a 64-bit Mersenne Twister seeded with the microseconds since
// midnight. The clock is injected so a test can fix the seed.
class TimeSeededRandom final : public RandomSource {
public:
    using Clock = std::function<std::chrono::microseconds()>; // time since midnight
    TimeSeededRandom();
    explicit TimeSeededRandom(Clock clock);
    void Reseed() override;
    double Next() override;

private:
    Clock clock_;
    std::mt19937_64 generator_;
};

// Microseconds since local midnight.
std::chrono::microseconds TimeOfDay();

// Replaces every marked slot, in slot order, with floor(r * 52) for a fresh r, and
// clears its mark. Reseeds first; draws one number per replaced slot and nothing else.
void DealCards(Table& table, RandomSource& random);

struct Game;

// The same by the game's deck. From one deck, a marked slot gets card floor(r * n) of the n
// cards not on the table (counted in card order): the cards in the slots, marked or not, are
// out of the deck, so a draw comes from the 47 not dealt. Slots holding a back hold no card.
void DealCards(const Game& game, Table& table, RandomSource& random);

enum class Category : std::int16_t {
    NotAWinningHand = 0,
    OnePair = 1,
    TwoPair = 2,
    ThreeOfAKind = 3,
    Straight = 4,
    Flush = 5,
    FullHouse = 6,
    FourOfAKind = 7,
    FiveOfAKind = 8,
    StraightFlush = 9,
    RoyalFlush = 10,
};
inline constexpr int CategoryCount = 11;

using Values = std::array<int, HandSize>;

// What CheckKinds found; only EvaluateHand reads it.
enum class KindsResult {
    None = 0,
    OnePair = 2,
    ThreeOfAKind = 3,
    FourOfAKind = 4,
    FiveOfAKind = 5,
    TwoPair = 6,
    FullHouse = 7
};

struct KindsOutcome {
    KindsResult result = KindsResult::None;
    Category category = Category::NotAWinningHand; // unchanged (0) when nothing was found
};

struct StraightOutcome {
    bool straight = false;
    bool royal = false; // a straight whose lowest value is 10
    int LNum = 0;       // lowest value
    int SubNum = 0;     // LNum - 1
    int FAdd = 0;       // sum of (value - SubNum)
};

KindsOutcome CheckKinds(const Values& values);
bool CheckFlush(const Values& suits);
StraightOutcome CheckStraight(const Values& values);

struct Classification {
    Category category = Category::NotAWinningHand;
    // Set when the flush and straight tests ran (not for four or five of a kind).
    bool testsRan = false;
    bool flush = false;
    StraightOutcome straight;
};

// Classifies five values and suits by the game's fixed order of tests: kinds first; four
// and five of a kind stop there; otherwise a flush overwrites the kinds, a straight
// overwrites that, and both together make a straight flush (royal with lowest value 10).
Classification Classify(const Values& values, const Values& suits);

// The category Classify gives, by one lookup in a table filled from Classify: the fast path
// of the advisor and of every computation over many hands, while Classify and EvaluateHand
// stay the rules as written, with the figures the debug console traces. Values 2..14, suits
// 1..4.
Category FastCategory(const Values& values, const Values& suits);
// The same for five values and whether all five cards share one suit.
Category FastCategory(const Values& values, bool flush);

// The table behind FastCategory. Five values are named, in any order, by the sum of a weight
// per value, chosen so that no two multisets of five values share a sum; each sum reached
// holds the category in mixed suits and in one suit. FastCategory uses the shared table,
// filled on first use (safe from any thread) in about a millisecond; building another is
// only for measuring that.
class CategoryTable {
public:
    CategoryTable();
    static const CategoryTable& Shared();
    Category Lookup(const Values& values, bool flush) const;

private:
    std::vector<std::uint8_t> bySum_;
};

// Everything one evaluation saw, for the settlement and the debug console.
struct Evaluation : Classification {
    Values values{};
    Values suits{};
    std::string trace; // " >> Checkflush: False >> CheckStraight: ..." when the tests ran
};

Evaluation EvaluateHand(const FiveCards& hand);

} // namespace corvanta
