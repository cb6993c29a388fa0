#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <string_view>

// The deck as the card library numbers it: faces 0..51, card = 4 × rank + suit (rank 0 the ace …
// 12 the king), and the thirteen backs 53..65.
namespace corvanta {

inline constexpr int CardWidth = 71; // one card image in logical pixels
inline constexpr int CardHeight = 96;

inline constexpr int SuitCount = 4;
inline constexpr int RankCount = 13;
inline constexpr int FaceCount = SuitCount * RankCount;

inline constexpr int FirstBack = 53;
inline constexpr int BackCount = 13;

enum class SuitColour { Red, Black };
enum class SuitShape { Club, Diamond, Heart, Spade };

struct SuitInfo {
    std::u16string_view name;
    SuitColour colour;
    SuitShape shape;
};

// The one place that says which suit number is which suit.
inline constexpr std::array<SuitInfo, SuitCount> Suits{{
    {u"Clubs", SuitColour::Black, SuitShape::Club},
    {u"Diamonds", SuitColour::Red, SuitShape::Diamond},
    {u"Hearts", SuitColour::Red, SuitShape::Heart},
    {u"Spades", SuitColour::Black, SuitShape::Spade},
}};

inline constexpr std::array<std::u16string_view, RankCount> RankNames{
    u"Ace",   u"Two",  u"Three", u"Four", u"Five",  u"Six", u"Seven",
    u"Eight", u"Nine", u"Ten",   u"Jack", u"Queen", u"King"};

constexpr bool IsFace(int card) {
    return card >= 0 && card < FaceCount;
}
constexpr bool IsBack(int card) {
    return card >= FirstBack && card < FirstBack + BackCount;
}
constexpr int RankOf(int card) {
    return card / SuitCount;
}
constexpr int SuitOf(int card) {
    return card % SuitCount;
}

// The ink of a suit's pips and indices.
QColor SuitInk(int suit);

// "Queen of Hearts"; an empty string for a number that is not a card face.
QString CardName(int card);

} // namespace corvanta
