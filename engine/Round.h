#pragma once
// A round: the bet, the deal, the draw and the settlement by the payoff table. The engine
// keeps no accounts: the draw says what happened and the bank records it.

#include "engine/Game.h"
#include "engine/Table.h"
#include "engine/basPoker.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace corvanta {

struct Payoff {
    int multiplier;            // cash returned = multiplier x bet
    std::string_view lastHand; // the "Last Hand:" text
};

// Indexed by category code 0..10.
inline constexpr std::array<Payoff, CategoryCount> PayoffTable = {{
    {0, "Not a Winning Hand"},
    {1, "One Pair"},
    {2, "Two Pair"},
    {3, "Three of a Kind"},
    {5, "Straight"},
    {8, "Flush"},
    {12, "Full House"},
    {25, "Four of a Kind"},
    {40, "Five of a Kind"},
    {50, "Straight Flush"},
    {100, "Royal Flush"},
}};

constexpr const Payoff& PayoffFor(Category category) {
    return PayoffTable[static_cast<std::size_t>(category)];
}

// What the settlement did: the debug console shows it, and the bank records the round in
// the current account from it.
struct Settlement {
    Category category = Category::NotAWinningHand; // the classic's
    int hand = 0; // the hand's index in the game (in the classic, the category's code)
    std::int32_t moneyBefore = 0; // cash before the payout
    std::int32_t bet = 0;
    std::int64_t paid = 0; // multiplier x bet, 0 for a losing hand
    bool won = false;      // a winning category; a pair wins though it only returns the bet
    std::int64_t gain = 0; // won: (multiplier - 1) x bet, what Amount Won grows by
    std::int64_t loss = 0; // lost: the bet, what Amount Lost grows by
    std::string_view lastHand;
};

// Pays the bet back times the multiplier into the cash on hand. The bet was taken from the
// cash when placed, so a pair's gain is nothing.
Settlement SettleHand(Table& table, Category category);
// The same for the hand of a game by its index.
Settlement SettleHand(const Game& game, Table& table, int hand);

enum class DealStep { Ignored, Dealt, Drew };

struct DealOutcome {
    DealStep step = DealStep::Ignored;
    FiveCards dealtHand{};   // after a draw: the hand the player marked discards in
    DiscardMarks discards{}; // after a draw: the marks the player drew with
    FiveCards finalHand{};   // after a draw: the settled hand (the table holds backs again)
    Evaluation evaluation;   // valid after a draw of the classic
    Settlement settlement;   // valid after a draw
};

// The Deal command. With a bet placed it deals five new cards; with cards dealt it
// replaces the marked ones, evaluates, settles and closes the round.
DealOutcome DealCommand(Table& table, RandomSource& random);
// The same in a game: dealt from its deck, recognised and paid by its hands.
DealOutcome DealCommand(const Game& game, Table& table, RandomSource& random);

enum class BetStatus {
    Ignored,  // not a 16-bit number, or below the $5 minimum: nothing happens, nothing is said
    Refused,  // more than the cash on hand: BetRefusal is shown, nothing changes
    Accepted, // moved from the cash into the bet
};

struct BetOutcome {
    BetStatus status = BetStatus::Ignored;
    bool openedRound = false;   // the bet started a round (the cards turn face down)
    std::int64_t shortfall = 0; // refused: the dollars the cash lacks
};

inline constexpr std::string_view PlaceBetTitle = "Corvanta - Place Bet";
inline constexpr std::string_view PlaceBetPrompt =
    "Enter the amount of money you would like to bet:";
inline constexpr std::int32_t BetBoxAfterBet = 5; // the bet box offers it after a bet and a round

// The refusal's text, two lines joined by a carriage return, with the shortfall as the
// window writes money ("$3").
std::string BetRefusal(std::string_view shortfall);

// The amount as read from the player's text (nothing: not a 16-bit whole number).
BetOutcome PlaceBet(Table& table, std::optional<std::int16_t> amount);

// The key filter of txtBet and txtBank: digits and backspace (8) pass, nothing else.
bool IsNumber(char16_t key);

} // namespace corvanta
