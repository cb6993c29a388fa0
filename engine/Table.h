#pragma once
// The card table: the five slots, their discard marks, the round state and the money at
// the table, and the rules of what the round permits. One instance, owned by the game and
// passed by reference.

#include "engine/Cards.h"

#include <cstdint>

namespace corvanta {

inline constexpr std::int32_t MinimumBet = 5;

enum class DealStateCode : std::int16_t {
    BetPlaced = 1,     // the next Deal deals five new cards
    CardsDealt = 2,    // discards are being marked; the next Deal draws and settles
    WaitingForBet = 3, // no round under way
};

struct Table {
    // Card numbers 0..51 during a round; the back number CardBG between rounds.
    FiveCards Hand{};
    DiscardMarks Discard{};
    DealStateCode DealState = DealStateCode::WaitingForBet;
    std::int32_t BetAmount = 0;
    std::int32_t CashOnHand = 0;
    std::int16_t CardBG = DefaultBack;
    std::int16_t OptionsCardBG = DefaultBack;
    bool ShowBacks = true; // the card pictures paint the back over the slot's card
    // The hand just settled stays on the table, face up, until the next bet opens a round.
    FiveCards finalHand{};
    bool finalHandShown = false;
};

// The table as the start-up leaves it once the settings are read: no bet, waiting for
// one, no marks, every slot holding the card back, cards face down.
void ResetTable(Table& table);

// Which commands the round permits now; the windows enable their controls from it.
struct PermittedCommands {
    bool bet = false;  // Bet and Place Bet: between rounds, and before the first deal
    bool deal = false; // Deal: once a bet is placed, until the draw
    bool mark = false; // a card click: between the deal and the draw

    bool operator==(const PermittedCommands&) const = default;
};
PermittedCommands Permitted(DealStateCode state);
PermittedCommands Permitted(const Table& table);

// What a card picture shows: a face, a face inverted (marked for discard), or a back.
struct ShownCard {
    enum class Side { Face, InvertedFace, Back };
    int card = 0;
    Side side = Side::Back;

    bool operator==(const ShownCard&) const = default;
};
ShownCard CardShownAt(const Table& table, int slot);

// A card click: marks or unmarks the slot's card for discard. Only between the deal and the
// draw; anywhere else nothing changes and the answer is false.
bool ToggleDiscard(Table& table, int slot);

// The options window's pictures 1..13 show the backs in their order: picture 1 is the first
// back (53), picture 13 the last (65).
constexpr std::int16_t BackOfPicture(int picture) {
    return static_cast<std::int16_t>(FirstBack - 1 + picture);
}

// The picture that shows a back: the inverse of BackOfPicture.
constexpr int PictureOfBack(std::int16_t back) {
    return back - (FirstBack - 1);
}

// The options window: a picture 1..13 makes its back the choice; once the window has closed,
// the choice becomes the back of face-down cards.
void ChooseBack(Table& table, int picture);
void TakeChosenBack(Table& table);

} // namespace corvanta
