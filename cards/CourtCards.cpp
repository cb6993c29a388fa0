#include "cards/CourtCards.h"

#include "cards/CardDeck.h"
#include "cards/CardShape.h"
#include "cards/SuitPaths.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>

namespace corvanta::cardart {

namespace {

// A court card is a framed, double-ended portrait split on a slant: the upper half is painted,
// then the painter is turned round and the same half painted again.
constexpr qreal CentreX = CardWidth / 2.0;
constexpr qreal MiddleY = CardHeight / 2.0;
constexpr qreal Slant = 5.0; // the split rises this much from left to right
constexpr QRectF Frame(15.5, 7.5, 40.0, 81.0);

enum class Figure { Jack, Queen, King };

struct CourtDesign {
    Figure figure;
    QColor robe;
    QColor trim;
    QColor hair;
};

// Jack, queen, king.
constexpr std::array<CourtDesign, 3> CourtDesigns{{
    {Figure::Jack, QColor(40, 90, 176), QColor(208, 36, 40), QColor(128, 72, 30)},
    {Figure::Queen, QColor(200, 32, 44), QColor(40, 90, 176), QColor(150, 72, 36)},
    {Figure::King, QColor(40, 90, 176), QColor(200, 32, 44), QColor(236, 236, 240)},
}};

constexpr QColor Paper(253, 247, 230);
constexpr QColor Gold(236, 184, 40);
constexpr QColor Outline(40, 30, 24);
constexpr QColor Skin(250, 216, 178);
constexpr QColor Steel(214, 218, 226);

void Outlined(QPainter& p, const QPainterPath& path, const QColor& fill) {
    p.setPen(QPen(Outline, 0.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath PolygonPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

void Robe(QPainter& p, const CourtDesign& d) {
    QPainterPath body({21.0, 56.0});
    body.lineTo(21.0, 42.0);
    body.cubicTo(21.0, 37.0, 25.0, 34.5, 30.0, 33.5);
    body.lineTo(41.0, 33.5);
    body.cubicTo(46.0, 34.5, 50.0, 37.0, 50.0, 42.0);
    body.lineTo(50.0, 56.0);
    body.closeSubpath();
    Outlined(p, body, d.robe);
    // Sleeves in the trim colour, with gold cuffs.
    for (const qreal side : {-1.0, 1.0}) {
        const auto at = [side](qreal dx, qreal y) {
            return QPointF(CentreX + side * dx, y);
        };
        QPainterPath sleeve(at(14.5, 42.0));
        sleeve.cubicTo(at(14.5, 38.5), at(12.5, 37.0), at(10.5, 37.0));
        sleeve.lineTo(at(8.5, 47.0));
        sleeve.lineTo(at(14.5, 47.0));
        sleeve.closeSubpath();
        Outlined(p, sleeve, d.trim);
        Outlined(p, PolygonPath({at(8.5, 47.0), at(14.5, 47.0), at(14.5, 49.0), at(8.2, 49.0)}),
                 Gold);
    }
    // A band of the trim colour down the front, edged in gold.
    Outlined(p, PolygonPath({{32.0, 36.0}, {39.0, 36.0}, {39.0, 56.0}, {32.0, 56.0}}), d.trim);
    p.setPen(Qt::NoPen);
    p.setBrush(Gold);
    for (qreal y = 40.0; y < 56.0; y += 4.0)
        p.drawEllipse(QPointF(CentreX, y), 1.0, 1.0);
    // Collar.
    QPainterPath collar({26.0, 33.5});
    collar.quadTo(CentreX, 40.0, 45.0, 33.5);
    collar.quadTo(CentreX, 36.0, 26.0, 33.5);
    Outlined(p, collar, d.figure == Figure::King ? QColor(Qt::white) : Gold);
    if (d.figure == Figure::King) { // ermine spots
        p.setPen(Qt::NoPen);
        p.setBrush(Outline);
        for (const qreal x : {29.5, 35.5, 41.5})
            p.drawEllipse(QPointF(x, 35.3 + (x == CentreX ? 0.8 : 0.0)), 0.55, 0.55);
    }
}

void Head(QPainter& p, const CourtDesign& d) {
    const QColor hair = d.hair;
    if (d.figure == Figure::Queen) { // long hair framing the face
        QPainterPath locks({29.0, 20.0});
        locks.cubicTo(26.5, 26.0, 28.0, 32.0, 27.0, 35.0);
        locks.lineTo(44.0, 35.0);
        locks.cubicTo(43.0, 32.0, 44.5, 26.0, 42.0, 20.0);
        locks.closeSubpath();
        Outlined(p, locks, hair);
    }
    QPainterPath face;
    face.addEllipse(QPointF(CentreX, 25.0), 6.0, 7.0);
    Outlined(p, face, Skin);
    if (d.figure == Figure::King) { // a full beard
        QPainterPath beard({29.5, 25.0});
        beard.quadTo(29.5, 35.0, CentreX, 36.5);
        beard.quadTo(41.5, 35.0, 41.5, 25.0);
        beard.quadTo(CentreX, 31.5, 29.5, 25.0);
        Outlined(p, beard, hair);
    } else if (d.figure == Figure::Jack) { // short hair under the cap
        QPainterPath fringe({30.0, 23.0});
        fringe.quadTo(29.5, 19.0, CentreX, 18.5);
        fringe.quadTo(41.5, 19.0, 41.0, 23.0);
        fringe.quadTo(CentreX, 20.5, 30.0, 23.0);
        Outlined(p, fringe, hair);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Outline);
    p.drawEllipse(QPointF(33.2, 24.5), 0.7, 0.8);
    p.drawEllipse(QPointF(37.8, 24.5), 0.7, 0.8);
}

void Headwear(QPainter& p, const CourtDesign& d) {
    switch (d.figure) {
    case Figure::King:
        Outlined(p,
                 PolygonPath({{29.5, 19.5},
                              {28.5, 11.0},
                              {32.0, 14.5},
                              {CentreX, 9.5},
                              {39.0, 14.5},
                              {42.5, 11.0},
                              {41.5, 19.5}}),
                 Gold);
        p.setPen(Qt::NoPen);
        p.setBrush(d.trim);
        p.drawEllipse(QPointF(CentreX, 16.5), 1.2, 1.2);
        break;
    case Figure::Queen: {
        QPainterPath tiara({29.5, 20.0});
        tiara.lineTo(30.0, 15.0);
        tiara.lineTo(32.5, 17.0);
        tiara.lineTo(CentreX, 12.5);
        tiara.lineTo(38.5, 17.0);
        tiara.lineTo(41.0, 15.0);
        tiara.lineTo(41.5, 20.0);
        tiara.quadTo(CentreX, 18.0, 29.5, 20.0);
        Outlined(p, tiara, Gold);
        p.setPen(Qt::NoPen);
        p.setBrush(d.trim);
        p.drawEllipse(QPointF(CentreX, 12.5), 1.1, 1.1);
        break;
    }
    case Figure::Jack: {
        QPainterPath cap({28.5, 21.0});
        cap.quadTo(27.0, 13.0, CentreX, 13.0);
        cap.quadTo(44.5, 13.5, 43.0, 19.5);
        cap.quadTo(CentreX, 17.5, 28.5, 21.0);
        Outlined(p, cap, d.trim);
        QPainterPath feather({40.0, 15.0});
        feather.quadTo(46.0, 8.0, 50.5, 11.5);
        feather.quadTo(46.0, 11.5, 41.5, 17.0);
        feather.closeSubpath();
        Outlined(p, feather, Gold);
        break;
    }
    }
}

// What each figure holds at its side: a sword, a rose or a halberd.
void Emblem(QPainter& p, const CourtDesign& d) {
    switch (d.figure) {
    case Figure::King:
        Outlined(
            p, PolygonPath({{22.0, 22.0}, {23.2, 19.5}, {24.4, 22.0}, {24.4, 38.0}, {22.0, 38.0}}),
            Steel);
        Outlined(p, PolygonPath({{19.5, 38.0}, {27.0, 38.0}, {27.0, 39.6}, {19.5, 39.6}}), Gold);
        break;
    case Figure::Queen:
        p.setPen(QPen(QColor(30, 110, 50), 1.0));
        p.drawLine(QPointF(48.0, 26.0), QPointF(46.0, 38.0));
        for (const QPointF& petal : {QPointF(46.8, 23.8), QPointF(49.2, 23.8), QPointF(48.0, 26.0)})
            Outlined(
                p,
                [&] {
                    QPainterPath path;
                    path.addEllipse(petal, 1.9, 1.9);
                    return path;
                }(),
                d.trim);
        break;
    case Figure::Jack:
        p.setPen(QPen(QColor(110, 70, 30), 1.2));
        p.drawLine(QPointF(48.5, 16.0), QPointF(48.5, 40.0));
        Outlined(p, PolygonPath({{48.5, 18.0}, {52.5, 16.5}, {52.5, 23.5}, {48.5, 22.0}}), Steel);
        Outlined(p, PolygonPath({{47.3, 16.5}, {48.5, 12.5}, {49.7, 16.5}}), Steel);
        break;
    }
}

void PaintHalf(QPainter& p, const CourtDesign& d, int suit) {
    p.save();
    QPainterPath half;
    half.addPolygon(QPolygonF({Frame.topLeft(),
                               Frame.topRight(),
                               {Frame.right(), MiddleY - Slant},
                               {Frame.left(), MiddleY + Slant}}));
    p.setClipPath(half, Qt::IntersectClip);
    Emblem(p, d);
    Robe(p, d);
    Head(p, d);
    Headwear(p, d);
    DrawPip(p, suit, {20.5, 13.0}, 7.5);
    p.restore();
}

} // namespace

void PaintCourt(QPainter& painter, int rank, int suit) {
    const CourtDesign& design = CourtDesigns.at(static_cast<std::size_t>(rank - 10));
    painter.save();
    painter.setPen(QPen(SuitInk(suit), 1.0));
    painter.setBrush(Paper);
    painter.drawRect(Frame);
    painter.setClipRect(Frame.adjusted(0.5, 0.5, -0.5, -0.5));
    PaintHalf(painter, design, suit);
    TurnRound(painter);
    PaintHalf(painter, design, suit);
    painter.setClipping(false);
    painter.setPen(QPen(Gold, 1.0));
    painter.drawLine(QPointF(Frame.left() + 0.5, MiddleY + Slant),
                     QPointF(Frame.right() - 0.5, MiddleY - Slant));
    painter.restore();
}

} // namespace corvanta::cardart
