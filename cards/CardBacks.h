#pragma once

class QPainter;

namespace corvanta::cardart {

// Paints back design `index` (0..12, back number 53 + index) on a card-sized area.
void PaintBack(QPainter& painter, int index);

} // namespace corvanta::cardart
