#pragma once

class QPainter;

namespace corvanta::cardart {

// The framed centre of a jack (rank 10), queen (11) or king (12).
void PaintCourt(QPainter& painter, int rank, int suit);

} // namespace corvanta::cardart
