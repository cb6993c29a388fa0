#pragma once
// A game: its deck, its hands (their names, pays and how they are recognised, wild cards
// included). The deal, the settlement, the advisor and the return table take one as a
// parameter.

#include "engine/basPoker.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace corvanta {

enum class DeckRule {
    FullDeckEachCard, // every card comes from a full deck of 52, with replacement
    OneDeck,          // one deck of 52: the draw comes from the 47 cards not dealt
};

// What five cards must make for a hand, the wild cards standing in for whatever helps most.
enum class Pattern {
    Nothing, // any five cards: the losing hand
    Pair,
    TwoPair,
    ThreeOfAKind,
    Straight, // the ace plays high or low (A-2-3-4-5)
    Flush,
    FullHouse,
    FourOfAKind,
    StraightFlush,
    FiveOfAKind,
    RoyalFlush,
    FourWildCards,
};

struct HandRule {
    std::string_view name;
    int pay = 0; // returned per unit bet
    Pattern pattern = Pattern::Nothing;
    // A pair or four of a kind counts only of these values (2 .. 14, the ace 14).
    int lowestValue = 2;
    int highestValue = 14;
    bool natural = false; // made without a wild card
    // The name on the payoff board, where the whole name does not fit there; empty: the name.
    std::string_view boardName{};
};

enum class Recognition {
    // The classic's own tests in their order (Classify): the ace counts high only, a flush
    // overwrites any pair, three or full house, four and five of a kind stand.
    ClassicTests,
    // Of the hands the cards can make, wild cards included, the one listed last (the list
    // runs from the lowest).
    BestListedHand,
};

struct Game {
    std::string_view key;   // its name on the command line: "jacks-or-better"
    std::string_view title; // "Jacks or Better 9/6"
    DeckRule deck = DeckRule::OneDeck;
    Recognition recognition = Recognition::BestListedHand;
    std::uint16_t wildValues = 0; // bit v: every card of value v is wild
    // Lowest first; the first is the losing hand (pay 0). A hand's index in this list is its
    // number in the settlement and the return table.
    std::span<const HandRule> hands;

    int HandCount() const { return static_cast<int>(hands.size()); }
    bool IsWild(int card) const { return (wildValues >> CardValue(card)) & 1u; }
};

// The games, the classic first (the default). A new game is a list of hands and a Game in
// Game.cpp, named here and in AllGames.
extern const Game Classic;
extern const Game JacksOrBetter;
extern const Game BonusPoker;
extern const Game DeucesWild;
std::span<const Game* const> AllGames();

// The game of a command-line name, if there is one.
const Game* FindGame(std::string_view key);

// The index of the hand five cards make in the game. Values 2..14; `naturalsOneSuit` when the
// cards that are not wild all share one suit (for the classic: all five).
int RecogniseHand(const Game& game, const Values& values, bool naturalsOneSuit);
// The same for five card numbers 0..51.
int RecogniseHand(const Game& game, const FiveCards& hand);

// The hand index of every five values, by lookup, as the analysis needs it for millions of
// hands: like CategoryTable, one entry per multiset of five values, named by its weight sum
// (ValueWeight), in two tables: the naturals in mixed suits, and in one suit.
class HandTable {
public:
    explicit HandTable(const Game& game);
    int Lookup(std::int32_t weightSum, bool naturalsOneSuit) const {
        return naturalsOneSuit ? oneSuit_[static_cast<std::size_t>(weightSum)]
                               : mixed_[static_cast<std::size_t>(weightSum)];
    }

private:
    std::vector<std::uint8_t> mixed_;
    std::vector<std::uint8_t> oneSuit_;
};

} // namespace corvanta
