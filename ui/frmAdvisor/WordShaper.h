#pragma once
// Lines of text shaped a word at a time, each word kept once shaped. The advisor's lines
// change every round, but nearly all their words ("Keep", "Queen", "of", "Hearts,",
// "returns") come back, and shaping a whole line anew took nearly as long as drawing it.
//
// A word is shaped with the spaces before it, and a number a digit at a time, since numbers
// change from round to round and digits do not. A line is never cut between two letters the
// font kerns (the game's font kerns "A ", "T ", "Y "), so its glyphs stand where shaping the
// whole line puts them.

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>

class QPainter;

namespace corvanta {

struct ShapedLine {
    QString text;
    QList<QGlyphRun> glyphs; // from the start of its baseline; one run for each font it needs
    qreal width = 0;         // its whole width, the last letter's overhang included

    // In the painter's pen, its baseline starting at `origin`.
    void Draw(QPainter& painter, QPointF origin) const;
};

class WordShaper {
public:
    // The shaper of `font`, shared by every line in that font for as long as the program
    // runs, so that a window opened again finds its words shaped. The interface thread's.
    static WordShaper& Of(const QFont& font);

    ShapedLine Shape(const QString& text);

private:
    explicit WordShaper(const QFont& font) : font_(font) {}

    struct Word {
        QList<QGlyphRun> runs; // one for each font the word needed
        qreal advance = 0;     // to where the next word starts
        qreal width = 0;       // to its last letter's right edge
    };

    Word ShapeWhole(const QString& text) const;
    // Where the piece of `text` starting at `start` ends: before the spaces after its word,
    // or, in a number, after a digit; never between two letters the font kerns.
    qsizetype PieceEnd(const QString& text, qsizetype start);
    const Word& Shaped(const QString& piece);
    // Whether the font moves `after` closer to `before`, or farther, than their own widths.
    bool Kerned(QChar before, QChar after);

    QFont font_;
    QHash<QString, Word> words_;
    QHash<quint32, bool> kerned_; // by the pair's two letters
};

} // namespace corvanta
