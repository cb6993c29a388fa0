#include "cards/CardFaces.h"

#include "cards/CardDeck.h"
#include "cards/CardShape.h"
#include "cards/CourtCards.h"
#include "cards/SuitPaths.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <array>
#include <string_view>

using namespace Qt::StringLiterals;

namespace corvanta::cardart {

namespace {

// Pip positions of the number cards: a column (-1 left, 0 middle, 1 right) and a row in twelfths
// of the pip field from its top. Pips below the middle row are drawn upside down.
struct Pip {
    int column;
    int row;
};

struct PipLayout {
    int count;
    std::array<Pip, 10> pips;
};

constexpr std::array<PipLayout, 9> PipLayouts{{
    {2, {{{0, 0}, {0, 12}}}},
    {3, {{{0, 0}, {0, 6}, {0, 12}}}},
    {4, {{{-1, 0}, {1, 0}, {-1, 12}, {1, 12}}}},
    {5, {{{-1, 0}, {1, 0}, {0, 6}, {-1, 12}, {1, 12}}}},
    {6, {{{-1, 0}, {1, 0}, {-1, 6}, {1, 6}, {-1, 12}, {1, 12}}}},
    {7, {{{-1, 0}, {1, 0}, {0, 3}, {-1, 6}, {1, 6}, {-1, 12}, {1, 12}}}},
    {8, {{{-1, 0}, {1, 0}, {0, 3}, {-1, 6}, {1, 6}, {0, 9}, {-1, 12}, {1, 12}}}},
    {9, {{{-1, 0}, {1, 0}, {-1, 4}, {1, 4}, {0, 6}, {-1, 8}, {1, 8}, {-1, 12}, {1, 12}}}},
    {10, {{{-1, 0}, {1, 0}, {0, 2}, {-1, 4}, {1, 4}, {-1, 8}, {1, 8}, {0, 10}, {-1, 12}, {1, 12}}}},
}};

constexpr qreal CentreX = CardWidth / 2.0;
constexpr qreal CentreY = CardHeight / 2.0;
constexpr qreal ColumnSpacing = 14.0;
constexpr qreal PipFieldTop = 17.0;
constexpr qreal PipFieldHeight = CardHeight - 2 * PipFieldTop;
constexpr qreal PipHeight = 12.0;
constexpr qreal AcePipHeight = 34.0;
constexpr qreal GrandAcePipHeight = 42.0;

constexpr qreal IndexCentreX = 7.0;
constexpr qreal IndexBaseline = 13.0;
constexpr qreal IndexPipY = 19.5;
constexpr qreal IndexPipHeight = 7.5;

// The ten, the one index of two characters, is set in the narrow cut to fit the corner.
QFont IndexFont(const QString& label) {
    QFont font(label.size() > 1 ? u"Liberation Sans Narrow"_s : u"Liberation Sans"_s);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    font.setWeight(QFont::Bold);
    return font;
}

void PaintIndex(QPainter& painter, int rank, int suit) {
    const QString label = QStringView(IndexLabels[static_cast<std::size_t>(rank)]).toString();
    const QFont font = IndexFont(label);
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(label);
    painter.setFont(font);
    painter.setPen(SuitInk(suit));
    painter.drawText(QPointF(IndexCentreX - width / 2.0, IndexBaseline), label);
    DrawPip(painter, suit, {IndexCentreX, IndexPipY}, IndexPipHeight);
}

void PaintPips(QPainter& painter, int rank, int suit) {
    const PipLayout& layout = PipLayouts.at(static_cast<std::size_t>(rank - 1));
    for (int i = 0; i < layout.count; ++i) {
        const Pip pip = layout.pips[static_cast<std::size_t>(i)];
        const QPointF centre(CentreX + pip.column * ColumnSpacing,
                             PipFieldTop + pip.row * PipFieldHeight / 12.0);
        DrawPip(painter, suit, centre, PipHeight, pip.row > 6);
    }
}

void PaintAce(QPainter& painter, int suit) {
    const QPointF centre(CentreX, CentreY);
    if (Suits.at(static_cast<std::size_t>(suit)).shape != SuitShape::Spade) {
        DrawPip(painter, suit, centre, AcePipHeight);
        return;
    }
    // By custom the ace of spades is the grand card of the deck: larger, with a white inline.
    DrawPip(painter, suit, centre, GrandAcePipHeight);
    painter.strokePath(PipOutline(suit, centre, GrandAcePipHeight * 0.8), QPen(Qt::white, 1.0));
}

} // namespace

void PaintIndices(QPainter& painter, int rank, int suit) {
    painter.save();
    PaintIndex(painter, rank, suit);
    TurnRound(painter);
    PaintIndex(painter, rank, suit);
    painter.restore();
}

void PaintFace(QPainter& painter, int card) {
    const int rank = RankOf(card);
    const int suit = SuitOf(card);
    PaintBlankCard(painter);
    PaintIndices(painter, rank, suit);
    if (rank == 0)
        PaintAce(painter, suit);
    else if (rank < 10)
        PaintPips(painter, rank, suit);
    else
        PaintCourt(painter, rank, suit);
}

} // namespace corvanta::cardart
