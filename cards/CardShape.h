#pragma once

#include <QColor>
#include <QPainterPath>

class QPainter;

namespace corvanta::cardart {

// The card's rounded outline, shrunk by `inset` logical pixels on every side.
QPainterPath CardOutline(qreal inset = 0.0);

// A blank white card with a thin grey border. Its outer edge is hard (no partial transparency),
// so one card drawn over another covers it exactly and the table shows only in the corners.
void PaintBlankCard(QPainter& painter);

// Turns the painter half round about the card's centre, for the upside-down half of a face.
void TurnRound(QPainter& painter);

} // namespace corvanta::cardart
