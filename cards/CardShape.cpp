#include "cards/CardShape.h"

#include "cards/CardDeck.h"

#include <QPainter>

namespace corvanta::cardart {

namespace {

constexpr qreal CornerRadius = 4.5;
constexpr qreal BorderWidth = 1.0;
constexpr QColor BorderColour(118, 118, 126);

} // namespace

QPainterPath CardOutline(qreal inset) {
    QPainterPath path;
    const QRectF rect = QRectF(0, 0, CardWidth, CardHeight).adjusted(inset, inset, -inset, -inset);
    const qreal radius = std::max(CornerRadius - inset, 0.5);
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void PaintBlankCard(QPainter& painter) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(CardOutline(), BorderColour);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(CardOutline(BorderWidth), Qt::white);
    painter.restore();
}

void TurnRound(QPainter& painter) {
    painter.translate(CardWidth / 2.0, CardHeight / 2.0);
    painter.rotate(180.0);
    painter.translate(-CardWidth / 2.0, -CardHeight / 2.0);
}

} // namespace corvanta::cardart
