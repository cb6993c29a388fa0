#pragma once
// Where the advisor window opens: beside the table, never over it when the screen has room,
// or where the player left it when that place is still wholly on a screen.

#include <QList>
#include <QRect>

namespace corvanta {

// The smallest the advisor is made to fit beside or below the table; it scrolls below its
// own size.
inline constexpr int NarrowestBeside = 400;
inline constexpr int LowestBelow = 300;

// The frame of a window of `size` opened next to `table` (a frame too) on a screen whose
// free area is `screen`: on the right if its whole width fits there, else on the left; then
// the wider side if it has NarrowestBeside, the window narrowed to it; else below the table,
// made lower to fit when LowestBelow does; else at the foot of the screen, LowestBelow high,
// over the table's lower part. Always within the screen, no larger than it.
QRect PlaceBeside(const QRect& table, const QSize& size, const QRect& screen);

} // namespace corvanta
