#pragma once
// A round: the bet, the deal, the draw and the settlement by the payoff table.

#include "bank/AccountTable.h"
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
    std::string_view caption;  // beside the hand in the payoff table; empty when it pays nothing
};

// Indexed by category code 0..10.
inline constexpr std::array<Payoff, 11> PayoffTable = {{
    {0, "Not a Winning Hand", ""},
    {1, "One Pair", "x"},
    {2, "Two Pair", "2x"},
    {3, "Three of a Kind", "3x"},
    {5, "Straight", "5x"},
    {8, "Flush", "8x"},
    {12, "Full House", "12x"},
    {25, "Four of a Kind", "25x"},
    {40, "Five of a Kind", "40x"},
    {50, "Straight Flush", "50x"},
    {100, "Royal Flush", "100x"},
}};

constexpr const Payoff& PayoffFor(Category category) {
    return PayoffTable[static_cast<std::size_t>(category)];
}

// What the settlement did, as the debug console shows it.
struct Settlement {
    Category category = Category::NotAWinningHand;
    std::int32_t moneyBefore = 0; // cash before the payout
    std::int32_t bet = 0;
    std::int64_t paid = 0; // multiplier x bet, 0 for a losing hand
    std::string_view lastHand;
};

// Pays the bet back times the multiplier and records a won or lost round in the account.
// The bet was taken from the cash when placed, so a pair's gain is nothing.
Settlement SettleHand(Table& table, AccountRecord& account, Category category);

// The loan button is offered when both the savings and the cash are below $20.
bool ShouldOfferLoan(const Table& table, const AccountRecord& account);

enum class DealStep { Ignored, Dealt, Drew };

struct DealOutcome {
    DealStep step = DealStep::Ignored;
    std::array<std::int16_t, HandSize>
        finalHand{};        // the settled hand (the table holds backs again)
    Evaluation evaluation;  // valid after a draw
    Settlement settlement;  // valid after a draw
    bool offerLoan = false; // after a draw: show the loan button
};

// The Deal command. With a bet placed it deals five new cards; with cards dealt it
// replaces the marked ones, evaluates, settles, counts the round and closes it.
DealOutcome DealCommand(Table& table, Bank& bank, RandomSource& random);

enum class BetStatus {
    Ignored,  // not a 16-bit number, or below the $5 minimum: nothing happens, nothing is said
    Refused,  // more than the cash on hand: the message is shown, nothing changes
    Accepted, // moved from the cash into the bet
};

struct BetOutcome {
    BetStatus status = BetStatus::Ignored;
    bool openedRound = false; // the bet started a round (the cards turn face down)
    std::string message;      // the refusal text, two lines joined by a carriage return
};

inline constexpr std::string_view PlaceBetTitle = "Corvanta - Place Bet";
inline constexpr std::string_view PlaceBetPrompt =
    "Enter the amount of money you would like to bet:";

BetOutcome PlaceBet(Table& table, std::string_view amountText);

} // namespace corvanta
