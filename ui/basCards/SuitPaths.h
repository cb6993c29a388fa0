#pragma once

#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace corvanta::cardart {

// A suit's outline as a pip of `height` logical pixels centred on `centre`.
QPainterPath pipOutline(int suit, QPointF centre, qreal height, bool upsideDown = false);

// One pip of `height` logical pixels centred on `centre`, in the suit's ink.
void drawPip(QPainter& painter, int suit, QPointF centre, qreal height, bool upsideDown = false);

} // namespace corvanta::cardart
