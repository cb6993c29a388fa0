#include "ui/basCards/SuitPaths.h"

#include "ui/basCards/CardDeck.h"

#include <QPainter>

#include <array>

namespace corvanta::cardart {

namespace {

// Boolean operations flatten curves with a fixed tolerance, so shapes are united at this size and
// scaled down when drawn.
constexpr qreal Scale = 1000.0;

QPainterPath enlarged(const QPainterPath& unitPath) {
    return QTransform::fromScale(Scale, Scale).map(unitPath);
}

QPainterPath heart() {
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

QPainterPath diamond() {
    QPainterPath path({0.0, -0.5});
    path.quadTo(0.17, -0.24, 0.39, 0.0);
    path.quadTo(0.17, 0.24, 0.0, 0.5);
    path.quadTo(-0.17, 0.24, -0.39, 0.0);
    path.quadTo(-0.17, -0.24, 0.0, -0.5);
    path.closeSubpath();
    return path;
}

// The flared foot shared by clubs and spades.
QPainterPath stem() {
    QPainterPath path({-0.035, 0.05});
    path.cubicTo(-0.035, 0.28, -0.1, 0.43, -0.21, 0.5);
    path.lineTo(0.21, 0.5);
    path.cubicTo(0.1, 0.43, 0.035, 0.28, 0.035, 0.05);
    path.closeSubpath();
    return path;
}

QPainterPath club() {
    constexpr qreal r = 0.235;
    QPainterPath leaves;
    leaves.addEllipse(QPointF(0.0, -0.265), r, r);
    leaves.addEllipse(QPointF(-0.265, 0.075), r, r);
    leaves.addEllipse(QPointF(0.265, 0.075), r, r);
    QPainterPath heartOfClub;
    heartOfClub.addEllipse(QPointF(0.0, 0.0), 0.12, 0.12);
    return enlarged(leaves).united(enlarged(heartOfClub)).united(enlarged(stem()));
}

QPainterPath spade() {
    // A heart turned over and pressed a little flatter, on the club's foot.
    QTransform flip;
    flip.translate(0.0, -0.11);
    flip.scale(1.0, -0.78);
    return enlarged(flip.map(heart())).united(enlarged(stem()));
}

// A suit's outline, centred on the origin, Scale units high.
const QPainterPath& suitPath(int suit) {
    // Built once, in the order of SuitShape.
    static const std::array<QPainterPath, 4> paths{club(), enlarged(diamond()), enlarged(heart()),
                                                   spade()};
    const SuitShape shape = Suits.at(static_cast<std::size_t>(suit)).shape;
    return paths[static_cast<std::size_t>(shape)];
}

} // namespace

QPainterPath pipOutline(int suit, QPointF centre, qreal height, bool upsideDown) {
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    if (upsideDown)
        transform.rotate(180.0);
    transform.scale(height / Scale, height / Scale);
    return transform.map(suitPath(suit));
}

void drawPip(QPainter& painter, int suit, QPointF centre, qreal height, bool upsideDown) {
    painter.fillPath(pipOutline(suit, centre, height, upsideDown), suitInk(suit));
}

} // namespace corvanta::cardart
