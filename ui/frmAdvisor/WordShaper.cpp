#include "ui/frmAdvisor/WordShaper.h"

#include <QPainter>
#include <QTextLayout>

namespace corvanta {
namespace {

constexpr qsizetype MostWordsKept = 1024; // some five times the advisor's words
constexpr qreal UnboundedWidth = 1e6;     // never wrapped

// The glyphs of a line in one font, gathered from its words.
struct Gathered {
    QGlyphRun font; // its font and flags; the glyphs are below
    QList<quint32> glyphs;
    QList<QPointF> positions;
};

// `letters`: the line's, about as many as its glyphs.
void Gather(QList<Gathered>& line, const QGlyphRun& run, qreal x, qsizetype letters) {
    if (line.isEmpty() || line.back().font.rawFont() != run.rawFont() ||
        line.back().font.flags() != run.flags()) {
        line.append({run, {}, {}});
        line.back().glyphs.reserve(letters);
        line.back().positions.reserve(letters);
    }
    Gathered& gathered = line.back();
    gathered.glyphs += run.glyphIndexes();
    for (const QPointF& position : run.positions()) {
        gathered.positions.append(position + QPointF(x, 0));
    }
}

// A digit or what stands between the digits of a number.
bool InNumber(QChar letter) {
    return (letter >= u'0' && letter <= u'9') || letter == u'.' || letter == u',';
}

} // namespace

void ShapedLine::Draw(QPainter& painter, QPointF origin) const {
    for (const QGlyphRun& run : glyphs) {
        painter.drawGlyphRun(origin, run);
    }
}

WordShaper::Word WordShaper::ShapeWhole(const QString& text) const {
    QTextLayout layout(text, font_);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(UnboundedWidth);
    line.setPosition(QPointF(0, -line.ascent())); // the baseline at 0
    layout.endLayout();
    return {layout.glyphRuns(), line.horizontalAdvance(), line.naturalTextWidth()};
}

WordShaper& WordShaper::Of(const QFont& font) {
    // Never freed: a shaper holds font engines, which must not outlive the application.
    static auto* const shapers = new QHash<QString, WordShaper*>;
    WordShaper*& shaper = (*shapers)[font.key()];
    if (shaper == nullptr) {
        shaper = new WordShaper(font);
    }
    return *shaper;
}

ShapedLine WordShaper::Shape(const QString& text) {
    QList<Gathered> gathered;
    qreal x = 0;
    qreal width = 0;
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype end = PieceEnd(text, start);
        const Word& word = Shaped(text.mid(start, end - start));
        for (const QGlyphRun& run : word.runs) {
            Gather(gathered, run, x, text.size());
        }
        if (text[end - 1] != u' ') { // spaces at the end take no width, as in a whole line
            width = x + word.width;
        }
        x += word.advance;
        start = end;
    }
    ShapedLine line{text, {}, width};
    for (Gathered& run : gathered) {
        run.font.setGlyphIndexes(run.glyphs);
        run.font.setPositions(run.positions);
        line.glyphs.append(run.font);
    }
    return line;
}

qsizetype WordShaper::PieceEnd(const QString& text, qsizetype start) {
    for (qsizetype end = start + 1; end < text.size(); ++end) {
        const QChar before = text[end - 1];
        const QChar after = text[end];
        const bool wordEnds = after == u' ' && before != u' ';
        // A number is cut into its digits, which come back, unlike the number.
        const bool inNumber = InNumber(before) && InNumber(after);
        if ((wordEnds || inNumber) && !Kerned(before, after)) {
            return end;
        }
    }
    return text.size();
}

const WordShaper::Word& WordShaper::Shaped(const QString& piece) {
    if (const auto found = words_.constFind(piece); found != words_.cend()) {
        return *found;
    }
    if (words_.size() >= MostWordsKept) {
        words_.clear();
    }
    return *words_.insert(piece, ShapeWhole(piece));
}

bool WordShaper::Kerned(QChar before, QChar after) {
    const quint32 pair = (quint32{before.unicode()} << 16) | after.unicode();
    if (const auto found = kerned_.constFind(pair); found != kerned_.cend()) {
        return *found;
    }
    const qreal apart = ShapeWhole(QString(before)).advance + ShapeWhole(QString(after)).advance;
    const bool kerned = ShapeWhole(QString(before) + after).advance != apart;
    kerned_.insert(pair, kerned);
    return kerned;
}

} // namespace corvanta
