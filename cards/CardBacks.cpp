#include "cards/CardBacks.h"

#include "cards/CardDeck.h"
#include "cards/CardShape.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <numbers>

namespace corvanta::cardart {

namespace {

enum class Pattern {
    Lattice,
    Argyle,
    Stripes,
    Dots,
    Waves,
    Scales,
    Stars,
    Checks,
    Chevrons,
    Honeycomb,
    Medallion,
    Frames,
    Tartan,
};

struct BackDesign {
    Pattern pattern;
    QColor ground;
    QColor ink;
    QColor accent;
};

// Backs 53..65 in order; 63, the default, is the navy and gold medallion.
constexpr std::array<BackDesign, BackCount> BackDesigns{{
    {Pattern::Lattice, QColor(28, 78, 168), QColor(150, 190, 240), QColor(255, 255, 255)},
    {Pattern::Argyle, QColor(176, 24, 36), QColor(128, 12, 24), QColor(255, 214, 214)},
    {Pattern::Stripes, QColor(24, 120, 64), QColor(60, 164, 96), QColor(230, 246, 232)},
    {Pattern::Dots, QColor(96, 40, 136), QColor(206, 176, 232), QColor(240, 226, 250)},
    {Pattern::Waves, QColor(0, 118, 128), QColor(170, 232, 232), QColor(240, 255, 255)},
    {Pattern::Scales, QColor(226, 104, 60), QColor(150, 52, 20), QColor(255, 226, 200)},
    {Pattern::Stars, QColor(18, 24, 64), QColor(244, 204, 80), QColor(244, 204, 80)},
    {Pattern::Checks, QColor(150, 20, 40), QColor(30, 20, 24), QColor(240, 200, 200)},
    {Pattern::Chevrons, QColor(92, 104, 32), QColor(206, 186, 84), QColor(246, 236, 190)},
    {Pattern::Honeycomb, QColor(110, 64, 10), QColor(236, 168, 40), QColor(250, 220, 150)},
    {Pattern::Medallion, QColor(18, 36, 96), QColor(44, 72, 150), QColor(232, 190, 72)},
    {Pattern::Frames, QColor(60, 60, 66), QColor(160, 160, 170), QColor(236, 236, 240)},
    {Pattern::Tartan, QColor(16, 96, 56), QColor(20, 40, 110), QColor(200, 30, 40)},
}};

constexpr qreal Margin = 4.0; // white card showing round the design

QColor WithAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

void Lattice(QPainter& p, const QRectF& r, const BackDesign& d) {
    p.setPen(QPen(d.ink, 0.9));
    const qreal span = r.height();
    for (qreal x = r.left() - span; x < r.right() + span; x += 5.0) {
        p.drawLine(QPointF(x, r.top()), QPointF(x + span, r.bottom()));
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + span, r.top()));
    }
}

void Argyle(QPainter& p, const QRectF& r, const BackDesign& d) {
    constexpr qreal w = 14.0;
    constexpr qreal h = 20.0;
    p.setPen(Qt::NoPen);
    p.setBrush(d.ink);
    const QPointF origin = r.center();
    // Dark diamonds touching point to point; the ground shows as the diamonds between them.
    for (int row = -3; row <= 3; ++row)
        for (int col = -3; col <= 3; ++col) {
            const QPointF c = origin + QPointF(col * w, row * h);
            p.drawPolygon(QPolygonF({c + QPointF(0, -h / 2), c + QPointF(w / 2, 0),
                                     c + QPointF(0, h / 2), c + QPointF(-w / 2, 0)}));
        }
    // Thin lines crossing through the centres of the dark diamonds.
    p.setPen(QPen(WithAlpha(d.accent, 170), 0.6));
    for (int k = -6; k <= 6; ++k) {
        const QPointF c = origin + QPointF(k * w, 0);
        p.drawLine(c + QPointF(-4 * w, -4 * h), c + QPointF(4 * w, 4 * h));
        p.drawLine(c + QPointF(-4 * w, 4 * h), c + QPointF(4 * w, -4 * h));
    }
}

void Stripes(QPainter& p, const QRectF& r, const BackDesign& d) {
    const qreal span = r.height();
    p.setPen(QPen(d.ink, 3.0, Qt::SolidLine, Qt::FlatCap));
    for (qreal x = r.left() - span; x < r.right() + span; x += 7.0)
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + span, r.top()));
    p.setPen(QPen(d.accent, 0.8));
    for (qreal x = r.left() - span + 3.5; x < r.right() + span; x += 7.0)
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + span, r.top()));
}

void Dots(QPainter& p, const QRectF& r, const BackDesign& d) {
    p.setPen(Qt::NoPen);
    constexpr qreal step = 6.0;
    int row = 0;
    for (qreal y = r.top() + 2.0; y < r.bottom() + step; y += step / 2.0, ++row) {
        const qreal shift = (row % 2) * step / 2.0;
        for (qreal x = r.left() + 2.0 + shift; x < r.right() + step; x += step) {
            const bool large = row % 4 == 0 && static_cast<int>((x - r.left()) / step) % 2 == 0;
            p.setBrush(large ? d.accent : d.ink);
            p.drawEllipse(QPointF(x, y), large ? 1.9 : 1.2, large ? 1.9 : 1.2);
        }
    }
}

void Waves(QPainter& p, const QRectF& r, const BackDesign& d) {
    constexpr qreal wave = 8.0;
    int row = 0;
    for (qreal y = r.top(); y < r.bottom() + 4.0; y += 4.0, ++row) {
        QPainterPath path({r.left() - wave, y});
        for (qreal x = r.left() - wave; x < r.right() + wave; x += wave)
            path.cubicTo(x + wave / 2, y - 2.5, x + wave / 2, y + 2.5, x + wave, y);
        p.setPen(QPen(row % 3 == 0 ? d.accent : d.ink, row % 3 == 0 ? 1.2 : 0.7));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
}

void Scales(QPainter& p, const QRectF& r, const BackDesign& d) {
    constexpr qreal radius = 5.0;
    int row = 0;
    // Rows from the bottom up, each overlapping the one below, as on a fish.
    for (qreal y = r.bottom() + radius; y > r.top() - 2 * radius; y -= radius * 0.9, ++row) {
        const qreal shift = (row % 2) * radius;
        for (qreal x = r.left() - radius + shift; x < r.right() + 2 * radius; x += 2 * radius) {
            p.setPen(QPen(d.ink, 0.9));
            p.setBrush(d.ground);
            p.drawEllipse(QPointF(x, y), radius, radius);
            p.setPen(QPen(WithAlpha(d.accent, 140), 0.7));
            p.setBrush(Qt::NoBrush);
            p.drawArc(
                QRectF(x - radius + 2.0, y - radius + 2.0, 2 * radius - 4.0, 2 * radius - 4.0),
                30 * 16, 120 * 16);
        }
    }
}

QPolygonF Star(QPointF centre, qreal outer) {
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const qreal radius = i % 2 == 0 ? outer : outer * 0.42;
        points << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return points;
}

void Stars(QPainter& p, const QRectF& r, const BackDesign& d) {
    p.setPen(Qt::NoPen);
    constexpr qreal step = 9.0;
    int row = 0;
    for (qreal y = r.top() + 3.0; y < r.bottom() + step; y += step * 0.75, ++row) {
        const qreal shift = (row % 2) * step / 2.0;
        for (qreal x = r.left() + 3.0 + shift; x < r.right() + step; x += step) {
            p.setBrush(d.ink);
            p.drawPolygon(Star({x, y}, 2.6));
        }
    }
}

void Checks(QPainter& p, const QRectF& r, const BackDesign& d) {
    constexpr qreal step = 4.5;
    p.setPen(Qt::NoPen);
    p.setBrush(d.ink);
    const QPointF origin = r.center() - QPointF(step * 8, step * 11);
    for (int row = 0; row < 22; ++row)
        for (int col = 0; col < 16; ++col)
            if ((row + col) % 2 == 0)
                p.drawRect(QRectF(origin + QPointF(col * step, row * step), QSizeF(step, step)));
    p.setPen(QPen(WithAlpha(d.accent, 110), 0.6));
    for (int k = 0; k <= 22; k += 2)
        p.drawLine(QPointF(r.left(), origin.y() + k * step),
                   QPointF(r.right(), origin.y() + k * step));
}

void Chevrons(QPainter& p, const QRectF& r, const BackDesign& d) {
    constexpr qreal step = 8.0;
    int row = 0;
    for (qreal y = r.top() - step; y < r.bottom() + step; y += step / 2.0, ++row) {
        QPolygonF line;
        for (qreal x = r.left() - step; x < r.right() + step; x += step)
            line << QPointF(x, y) << QPointF(x + step / 2.0, y - step / 2.0);
        const bool bold = row % 2 == 0;
        p.setPen(QPen(bold ? d.ink : d.accent, bold ? 2.0 : 0.7, Qt::SolidLine, Qt::FlatCap,
                      Qt::MiterJoin));
        p.drawPolyline(line);
    }
}

void Honeycomb(QPainter& p, const QRectF& r, const BackDesign& d) {
    constexpr qreal radius = 4.5;
    const qreal w = std::sqrt(3.0) * radius;
    p.setPen(QPen(d.ink, 1.0));
    int row = 0;
    for (qreal y = r.top(); y < r.bottom() + radius; y += 1.5 * radius, ++row) {
        const qreal shift = (row % 2) * w / 2.0;
        for (qreal x = r.left() + shift; x < r.right() + w; x += w) {
            QPolygonF hex;
            for (int i = 0; i < 6; ++i) {
                const qreal angle = std::numbers::pi / 6 + i * std::numbers::pi / 3;
                hex << QPointF(x + radius * std::cos(angle), y + radius * std::sin(angle));
            }
            p.setBrush(row % 3 == 1 && static_cast<int>(x / w) % 3 == 0 ? WithAlpha(d.accent, 120)
                                                                        : QBrush(Qt::NoBrush));
            p.drawPolygon(hex);
        }
    }
}

void Medallion(QPainter& p, const QRectF& r, const BackDesign& d) {
    Lattice(p, r, d);
    const QPointF c = r.center();
    const QColor gold = d.accent;
    p.setPen(QPen(gold, 1.0));
    p.setBrush(d.ground);
    p.drawEllipse(c, 17.0, 22.0);
    p.drawEllipse(c, 14.5, 19.5);
    p.setBrush(gold);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 45.0);
        p.drawEllipse(QPointF(0, -8.0), 2.6, 6.0);
        p.restore();
    }
    p.setBrush(d.ground);
    p.drawEllipse(c, 3.2, 3.2);
    p.setBrush(gold);
    p.drawEllipse(c, 1.8, 1.8);
    // A gold rule round the design with a small diamond in each corner.
    const QRectF rule = r.adjusted(2.5, 2.5, -2.5, -2.5);
    p.setPen(QPen(gold, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rule, 2.0, 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    for (const QPointF corner :
         {rule.topLeft(), rule.topRight(), rule.bottomLeft(), rule.bottomRight()}) {
        const QPointF at =
            corner + QPointF(corner.x() < c.x() ? 5.0 : -5.0, corner.y() < c.y() ? 5.0 : -5.0);
        p.drawPolygon(QPolygonF(
            {at + QPointF(0, -3), at + QPointF(2, 0), at + QPointF(0, 3), at + QPointF(-2, 0)}));
    }
}

void Frames(QPainter& p, const QRectF& r, const BackDesign& d) {
    p.setBrush(Qt::NoBrush);
    int ring = 0;
    for (qreal inset = 2.0; inset < r.width() / 2.0 - 6.0; inset += 2.5, ++ring) {
        p.setPen(QPen(ring % 2 == 0 ? d.ink : d.accent, ring % 2 == 0 ? 1.2 : 0.6));
        p.drawRoundedRect(r.adjusted(inset, inset, -inset, -inset), 2.0, 2.0);
    }
}

void Tartan(QPainter& p, const QRectF& r, const BackDesign& d) {
    p.setPen(Qt::NoPen);
    constexpr qreal repeat = 16.0;
    for (qreal k = -repeat; k < r.height() + repeat; k += repeat) {
        p.setBrush(WithAlpha(d.ink, 150));
        p.drawRect(QRectF(r.left(), r.top() + k, r.width(), 6.0));
        p.drawRect(QRectF(r.left() + k, r.top(), 6.0, r.height()));
        p.setBrush(WithAlpha(d.accent, 190));
        p.drawRect(QRectF(r.left(), r.top() + k + 10.0, r.width(), 1.2));
        p.drawRect(QRectF(r.left() + k + 10.0, r.top(), 1.2, r.height()));
    }
    p.setPen(QPen(WithAlpha(QColor(255, 255, 255), 90), 0.5));
    for (qreal k = -repeat; k < r.height() + repeat; k += repeat) {
        p.drawLine(QPointF(r.left(), r.top() + k + 14.0), QPointF(r.right(), r.top() + k + 14.0));
        p.drawLine(QPointF(r.left() + k + 14.0, r.top()), QPointF(r.left() + k + 14.0, r.bottom()));
    }
}

void PaintPattern(QPainter& p, const QRectF& r, const BackDesign& d) {
    switch (d.pattern) {
    case Pattern::Lattice:
        return Lattice(p, r, d);
    case Pattern::Argyle:
        return Argyle(p, r, d);
    case Pattern::Stripes:
        return Stripes(p, r, d);
    case Pattern::Dots:
        return Dots(p, r, d);
    case Pattern::Waves:
        return Waves(p, r, d);
    case Pattern::Scales:
        return Scales(p, r, d);
    case Pattern::Stars:
        return Stars(p, r, d);
    case Pattern::Checks:
        return Checks(p, r, d);
    case Pattern::Chevrons:
        return Chevrons(p, r, d);
    case Pattern::Honeycomb:
        return Honeycomb(p, r, d);
    case Pattern::Medallion:
        return Medallion(p, r, d);
    case Pattern::Frames:
        return Frames(p, r, d);
    case Pattern::Tartan:
        return Tartan(p, r, d);
    }
}

} // namespace

void PaintBack(QPainter& painter, int index) {
    const BackDesign& design = BackDesigns.at(static_cast<std::size_t>(index));
    PaintBlankCard(painter);
    const QPainterPath panel = CardOutline(Margin);
    painter.save();
    painter.fillPath(panel, design.ground);
    painter.setClipPath(panel);
    PaintPattern(painter, panel.boundingRect(), design);
    painter.restore();
}

} // namespace corvanta::cardart
