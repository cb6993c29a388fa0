#include "engine/Game.h"

#include "engine/Round.h"
#include "engine/ValueMultisets.h"

#include <algorithm>

namespace corvanta {
namespace {

constexpr int Jack = 11;
constexpr int King = 13;
constexpr int Ace = 14;

// The classic's hands are its payoff table's, in category order; its own tests recognise them.
constexpr auto ClassicHands = [] {
    constexpr std::array<Pattern, CategoryCount> patterns = {
        Pattern::Nothing,     Pattern::Pair,          Pattern::TwoPair,    Pattern::ThreeOfAKind,
        Pattern::Straight,    Pattern::Flush,         Pattern::FullHouse,  Pattern::FourOfAKind,
        Pattern::FiveOfAKind, Pattern::StraightFlush, Pattern::RoyalFlush,
    };
    std::array<HandRule, CategoryCount> hands{};
    for (std::size_t i = 0; i < hands.size(); ++i) {
        hands[i] = {PayoffTable[i].lastHand, PayoffTable[i].multiplier, patterns[i]};
    }
    hands[static_cast<std::size_t>(Category::OnePair)].boardName = "Pair";
    return hands;
}();

// A pair pays only of jacks or better.
constexpr HandRule HighPair = {"Jacks or Better", 1, Pattern::Pair, Jack, Ace};

constexpr std::array<HandRule, 10> JacksOrBetterHands = {{
    {"Not a Winning Hand", 0, Pattern::Nothing},
    HighPair,
    {"Two Pair", 2, Pattern::TwoPair},
    {"Three of a Kind", 3, Pattern::ThreeOfAKind},
    {"Straight", 4, Pattern::Straight},
    {"Flush", 6, Pattern::Flush},
    {"Full House", 9, Pattern::FullHouse},
    {"Four of a Kind", 25, Pattern::FourOfAKind},
    {"Straight Flush", 50, Pattern::StraightFlush},
    {"Royal Flush", 800, Pattern::RoyalFlush},
}};

constexpr std::array<HandRule, 12> BonusPokerHands = {{
    {"Not a Winning Hand", 0, Pattern::Nothing},
    HighPair,
    {"Two Pair", 2, Pattern::TwoPair},
    {"Three of a Kind", 3, Pattern::ThreeOfAKind},
    {"Straight", 4, Pattern::Straight},
    {"Flush", 5, Pattern::Flush},
    {"Full House", 8, Pattern::FullHouse},
    {"Four 5s-Ks", 25, Pattern::FourOfAKind, 5, King},
    {"Four 2s-4s", 40, Pattern::FourOfAKind, 2, 4},
    {"Straight Flush", 50, Pattern::StraightFlush},
    {"Four Aces", 80, Pattern::FourOfAKind, Ace, Ace},
    {"Royal Flush", 800, Pattern::RoyalFlush},
}};

constexpr std::array<HandRule, 11> DeucesWildHands = {{
    {"Not a Winning Hand", 0, Pattern::Nothing},
    {"Three of a Kind", 1, Pattern::ThreeOfAKind},
    {"Straight", 2, Pattern::Straight},
    {"Flush", 2, Pattern::Flush},
    {"Full House", 3, Pattern::FullHouse},
    {"Four of a Kind", 5, Pattern::FourOfAKind},
    {"Straight Flush", 9, Pattern::StraightFlush},
    {"Five of a Kind", 15, Pattern::FiveOfAKind},
    {"Wild Royal Flush", 25, Pattern::RoyalFlush, 2, Ace, false, "Wild Royal"},
    {"Four Deuces", 200, Pattern::FourWildCards},
    {"Natural Royal Flush", 800, Pattern::RoyalFlush, 2, Ace, true, "Natural Royal"},
}};

// What the cards that are not wild hold, and how many wild cards stand beside them.
struct Naturals {
    std::array<int, HighestValue + 1> ofValue{};
    int wild = 0;
    int largest = 0; // the most cards of one value
    int second = 0;  // the most of another value
};

Naturals CountNaturals(const Game& game, const Values& values) {
    Naturals n;
    for (int value : values) {
        if ((game.wildValues >> value) & 1u) {
            ++n.wild;
        } else {
            ++n.ofValue[value];
        }
    }
    for (int count : n.ofValue) {
        if (count > n.largest) {
            n.second = n.largest;
            n.largest = count;
        } else if (count > n.second) {
            n.second = count;
        }
    }
    return n;
}

// Whether the naturals fit five values in a row from `low` (1: the ace plays low), all
// different, the wild cards filling the rest.
bool FitsRun(const Naturals& n, int low) {
    for (int value = LowestValue; value <= HighestValue; ++value) {
        const int asLow = value == Ace && low == 1 ? 1 : value;
        const bool inRun = asLow >= low && asLow < low + HandSize;
        if (n.ofValue[value] > 1 || (n.ofValue[value] == 1 && !inRun)) {
            return false;
        }
    }
    return true;
}

bool CanMakeStraight(const Naturals& n) {
    for (int low = 1; low <= 10; ++low) {
        if (FitsRun(n, low)) {
            return true;
        }
    }
    return false;
}

// `needed` cards of one value among the rule's values, the wild cards helping.
bool CanMakeKind(const Naturals& n, const HandRule& rule, int needed) {
    for (int value = rule.lowestValue; value <= rule.highestValue; ++value) {
        if (n.ofValue[value] + n.wild >= needed) {
            return true;
        }
    }
    return false;
}

// Wild cards needed to lift `count` cards of one value to `needed`.
int Short(int needed, int count) {
    return std::max(0, needed - count);
}

bool CanMake(const HandRule& rule, const Naturals& n, bool oneSuit) {
    if (rule.natural && n.wild > 0) {
        return false;
    }
    switch (rule.pattern) {
    case Pattern::Nothing:
        return true;
    case Pattern::Pair:
        return CanMakeKind(n, rule, 2);
    case Pattern::TwoPair:
        return Short(2, n.largest) + Short(2, n.second) <= n.wild;
    case Pattern::ThreeOfAKind:
        return CanMakeKind(n, rule, 3);
    case Pattern::Straight:
        return CanMakeStraight(n);
    case Pattern::Flush:
        return oneSuit;
    case Pattern::FullHouse:
        return Short(3, n.largest) + Short(2, n.second) <= n.wild;
    case Pattern::FourOfAKind:
        return CanMakeKind(n, rule, 4);
    case Pattern::StraightFlush:
        return oneSuit && CanMakeStraight(n);
    case Pattern::FiveOfAKind:
        return CanMakeKind(n, rule, 5);
    case Pattern::RoyalFlush:
        return oneSuit && FitsRun(n, 10);
    case Pattern::FourWildCards:
        return n.wild == 4;
    }
    return false;
}

} // namespace

constexpr Game Classic = {.key = "classic",
                          .title = "Classic",
                          .deck = DeckRule::FullDeckEachCard,
                          .recognition = Recognition::ClassicTests,
                          .wildValues = 0,
                          .hands = ClassicHands};
constexpr Game JacksOrBetter = {.key = "jacks-or-better",
                                .title = "Jacks or Better 9/6",
                                .deck = DeckRule::OneDeck,
                                .recognition = Recognition::BestListedHand,
                                .wildValues = 0,
                                .hands = JacksOrBetterHands};
constexpr Game BonusPoker = {.key = "bonus-poker",
                             .title = "Bonus Poker 8/5",
                             .deck = DeckRule::OneDeck,
                             .recognition = Recognition::BestListedHand,
                             .wildValues = 0,
                             .hands = BonusPokerHands};
constexpr Game DeucesWild = {.key = "deuces-wild",
                             .title = "Deuces Wild",
                             .deck = DeckRule::OneDeck,
                             .recognition = Recognition::BestListedHand,
                             .wildValues = 1u << 2, // every two
                             .hands = DeucesWildHands};

namespace {
constexpr std::array<const Game*, 4> Games = {&Classic, &JacksOrBetter, &BonusPoker, &DeucesWild};
} // namespace

std::span<const Game* const> AllGames() {
    return Games;
}

const Game* FindGame(std::string_view key) {
    const auto found = std::find_if(Games.begin(), Games.end(),
                                    [&](const Game* game) { return game->key == key; });
    return found == Games.end() ? nullptr : *found;
}

int RecogniseHand(const Game& game, const Values& values, bool naturalsOneSuit) {
    if (game.recognition == Recognition::ClassicTests) {
        return static_cast<int>(FastCategory(values, naturalsOneSuit));
    }
    const Naturals naturals = CountNaturals(game, values);
    for (int hand = game.HandCount() - 1; hand > 0; --hand) {
        if (CanMake(game.hands[static_cast<std::size_t>(hand)], naturals, naturalsOneSuit)) {
            return hand;
        }
    }
    return 0;
}

int RecogniseHand(const Game& game, const FiveCards& hand) {
    Values values{};
    unsigned naturalSuits = 0; // bit per suit of a card that is not wild
    for (int slot = 0; slot < HandSize; ++slot) {
        values[slot] = CardValue(hand[slot]);
        naturalSuits |= game.IsWild(hand[slot]) ? 0u : 1u << SuitOf(hand[slot]);
    }
    return RecogniseHand(game, values, std::popcount(naturalSuits) <= 1);
}

HandTable::HandTable(const Game& game) : mixed_(WeightSums), oneSuit_(WeightSums) {
    auto fill = [&](const Values& values) {
        const std::size_t sum = WeightSum(values);
        mixed_[sum] = static_cast<std::uint8_t>(RecogniseHand(game, values, false));
        oneSuit_[sum] = static_cast<std::uint8_t>(RecogniseHand(game, values, true));
    };
    Values values{};
    ForEachMultiset(values, 0, HandSize, LowestValue, fill);
}

} // namespace corvanta
