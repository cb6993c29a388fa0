#pragma once

#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace corvanta::cardart {

// A suit's outline as a pip of `height` logical pixels centred on `centre`.
QPainterPath PipOutline(int suit, QPointF centre, qreal height, bool upsideDown = false);

// One pip of `height` logical pixels centred on `centre`, in the suit's ink.
void DrawPip(QPainter& painter, int suit, QPointF centre, qreal height, bool upsideDown = false);

} // namespace corvanta::cardart
