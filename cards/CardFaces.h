#pragma once

class QPainter;

namespace corvanta::cardart {

// Paints face `card` (0..51) on a card-sized area at the painter's origin.
void PaintFace(QPainter& painter, int card);

// The rank index in the top-left corner and again, turned round, in the bottom-right.
void PaintIndices(QPainter& painter, int rank, int suit);

} // namespace corvanta::cardart
