#pragma once

#include "engine/Cards.h"

#include <QColor>
#include <QString>

#include <array>
#include <string_view>

// The deck as the card library numbers it: faces 0..51, card = 4 × rank + suit (rank 0 the ace …
// 12 the king), and the thirteen backs 53..65 (engine/Cards.h counts them).
namespace corvanta {

inline constexpr int CardWidth = 71; // one card image in logical pixels
inline constexpr int CardHeight = 96;

enum class SuitColour { Red, Black };
enum class SuitShape { Club, Diamond, Heart, Spade };

struct SuitInfo {
    std::u16string_view symbol;
    SuitColour colour;
    SuitShape shape;
};

// How each suit number is printed (engine/AdviceText.h names them).
inline constexpr std::array<SuitInfo, SuitCount> Suits{{
    {u"\u2663", SuitColour::Black, SuitShape::Club},
    {u"\u2666", SuitColour::Red, SuitShape::Diamond},
    {u"\u2665", SuitColour::Red, SuitShape::Heart},
    {u"\u2660", SuitColour::Black, SuitShape::Spade},
}};

// What a card's corner says of its rank.
inline constexpr std::array<std::u16string_view, RankCount> IndexLabels{
    u"A", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"J", u"Q", u"K"};

// The ink of a suit's pips and indices.
QColor SuitInk(int suit);

// The card's index as printed in its corner, with its suit's symbol: "Q♥", "10♣".
QString ShortCardName(int card);

} // namespace corvanta
