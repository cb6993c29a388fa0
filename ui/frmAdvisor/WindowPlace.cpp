#include "ui/frmAdvisor/WindowPlace.h"

#include <algorithm>

namespace corvanta {
namespace {

// The start of a span of `length` that begins at `wanted` if it can, within [low, high].
int Within(int wanted, int length, int low, int high) {
    return std::max(low, std::min(wanted, high - length + 1));
}

} // namespace

QRect PlaceBeside(const QRect& table, const QSize& size, const QRect& screen) {
    const int width = std::min(size.width(), screen.width());
    const int height = std::min(size.height(), screen.height());
    const int top = Within(table.top(), height, screen.top(), screen.bottom());
    const int roomRight = screen.right() - table.right();
    const int roomLeft = table.left() - screen.left();
    if (roomRight >= width) {
        return {table.right() + 1, top, width, height};
    }
    if (roomLeft >= width) {
        return {table.left() - width, top, width, height};
    }
    if (std::max(roomRight, roomLeft) >= NarrowestBeside) {
        return roomRight >= roomLeft ? QRect(table.right() + 1, top, roomRight, height)
                                     : QRect(screen.left(), top, roomLeft, height);
    }
    const int left = Within(table.left(), width, screen.left(), screen.right());
    const int roomBelow = screen.bottom() - table.bottom();
    if (roomBelow >= LowestBelow) {
        return {left, table.bottom() + 1, width, std::min(height, roomBelow)};
    }
    // No room anywhere: at the screen's foot, no higher than it has to be, so the table's
    // cards stay in sight.
    const int lower = std::min(height, LowestBelow);
    return {left, screen.bottom() - lower + 1, width, lower};
}

} // namespace corvanta
