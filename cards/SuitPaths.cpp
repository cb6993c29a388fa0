#include "cards/SuitPaths.h"

#include "cards/CardDeck.h"

#include <QPainter>

namespace corvanta::cardart {

namespace {

// Boolean operations flatten curves with a fixed tolerance, so shapes are united at this size and
// scaled down when drawn.
constexpr qreal Scale = 1000.0;

QPainterPath Enlarged(const QPainterPath& unitPath) {
    return QTransform::fromScale(Scale, Scale).map(unitPath);
}

QPainterPath Heart() {
    QPainterPath path({0.0, 0.5});
    path.cubicTo(-0.08, 0.38, -0.5, 0.12, -0.5, -0.18);
    path.cubicTo(-0.5, -0.38, -0.37, -0.5, -0.25, -0.5);
    path.cubicTo(-0.12, -0.5, -0.03, -0.42, 0.0, -0.3);
    path.cubicTo(0.03, -0.42, 0.12, -0.5, 0.25, -0.5);
    path.cubicTo(0.37, -0.5, 0.5, -0.38, 0.5, -0.18);
    path.cubicTo(0.5, 0.12, 0.08, 0.38, 0.0, 0.5);
    path.closeSubpath();
    return path;
}

QPainterPath Diamond() {
    QPainterPath path({0.0, -0.5});
    path.quadTo(0.17, -0.24, 0.39, 0.0);
    path.quadTo(0.17, 0.24, 0.0, 0.5);
    path.quadTo(-0.17, 0.24, -0.39, 0.0);
    path.quadTo(-0.17, -0.24, 0.0, -0.5);
    path.closeSubpath();
    return path;
}

// The flared foot shared by clubs and spades.
QPainterPath Stem() {
    QPainterPath path({-0.035, 0.05});
    path.cubicTo(-0.035, 0.28, -0.1, 0.43, -0.21, 0.5);
    path.lineTo(0.21, 0.5);
    path.cubicTo(0.1, 0.43, 0.035, 0.28, 0.035, 0.05);
    path.closeSubpath();
    return path;
}

QPainterPath Club() {
    constexpr qreal r = 0.235;
    QPainterPath leaves;
    leaves.addEllipse(QPointF(0.0, -0.265), r, r);
    leaves.addEllipse(QPointF(-0.265, 0.075), r, r);
    leaves.addEllipse(QPointF(0.265, 0.075), r, r);
    QPainterPath heartOfClub;
    heartOfClub.addEllipse(QPointF(0.0, 0.0), 0.12, 0.12);
    return Enlarged(leaves).united(Enlarged(heartOfClub)).united(Enlarged(Stem()));
}

QPainterPath Spade() {
    // A heart turned over and pressed a little flatter, on the club's foot.
    QTransform flip;
    flip.translate(0.0, -0.11);
    flip.scale(1.0, -0.78);
    return Enlarged(flip.map(Heart())).united(Enlarged(Stem()));
}

// A suit's outline, centred on the origin, Scale units high. Each is built the first time its
// suit is drawn: the unions are slow, and the game's start draws no more than its icon's spade.
const QPainterPath& SuitPath(int suit) {
    switch (Suits.at(static_cast<std::size_t>(suit)).shape) {
    case SuitShape::Club: {
        static const QPainterPath club = Club();
        return club;
    }
    case SuitShape::Diamond: {
        static const QPainterPath diamond = Enlarged(Diamond());
        return diamond;
    }
    case SuitShape::Heart: {
        static const QPainterPath heart = Enlarged(Heart());
        return heart;
    }
    case SuitShape::Spade:
        break;
    }
    static const QPainterPath spade = Spade();
    return spade;
}

} // namespace

QPainterPath PipOutline(int suit, QPointF centre, qreal height, bool upsideDown) {
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    if (upsideDown)
        transform.rotate(180.0);
    transform.scale(height / Scale, height / Scale);
    return transform.map(SuitPath(suit));
}

void DrawPip(QPainter& painter, int suit, QPointF centre, qreal height, bool upsideDown) {
    painter.fillPath(PipOutline(suit, centre, height, upsideDown), SuitInk(suit));
}

} // namespace corvanta::cardart
