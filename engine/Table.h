#pragma once
// The card table: the five slots, their discard marks, the round state and the money at
// the table. One instance, owned by the application and passed by reference.

#include <array>
#include <cstdint>

namespace corvanta {

inline constexpr int HandSize = 5;
inline constexpr int CardCount = 52;
inline constexpr std::int16_t DefaultCardBG = 63;
inline constexpr std::int32_t MinimumBet = 5;

enum class DealStateCode : std::int16_t {
    BetPlaced = 1,     // the next Deal deals five new cards
    CardsDealt = 2,    // discards are being marked; the next Deal draws and settles
    WaitingForBet = 3, // no round under way
};

struct Table {
    // Card numbers 0..51 during a round; the back number CardBG between rounds.
    std::array<std::int16_t, HandSize> Hand{};
    std::array<bool, HandSize> Discard{}; // true: replaced at the next deal
    DealStateCode DealState = DealStateCode::WaitingForBet;
    std::int32_t BetAmount = 0;
    std::int32_t CashOnHand = 100;
    std::int16_t CardBG = DefaultCardBG;
    std::int16_t OptionsCardBG = DefaultCardBG;
    bool ShowBacks = true; // the card pictures paint the back over the slot's card
};

// The table as the start-up leaves it once the settings are read: no bet, waiting for
// one, no marks, every slot holding the card back, cards face down.
void ResetTable(Table& table);

} // namespace corvanta
