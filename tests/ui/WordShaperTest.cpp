// Lines shaped a word at a time: drawn exactly as the whole line is drawn, and as wide as the
// ink, whatever the font kerns and whichever font draws a letter.
#include "ui/frmAdvisor/WordShaper.h"
#include "ui/Widgets.h"

#include <QImage>
#include <QPainter>
#include <QtMath>

#include <gtest/gtest.h>

namespace corvanta {
namespace {

constexpr QPointF Origin(4, 20);

QImage Canvas() {
    QImage image(640, 28, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// The right edge of the ink, or 0 for a white canvas.
int InkRight(const QImage& image) {
    for (int x = image.width() - 1; x >= 0; --x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != QColor(Qt::white).rgb()) {
                return x + 1;
            }
        }
    }
    return 0;
}

// Capitals before a space ("A ", "T ", "Y ") are kerned in the game's font; numbers are cut
// into digits; the suits' signs come from another font than the letters around them.
TEST(WordShaper, DrawsALineExactlyAsTheWholeLineIsDrawnAndAsWideAsItsInk) {
    const QStringList texts = {
        QStringLiteral("Keep Ten of Spades, Jack of Hearts — returns 0.4561 × bet"),
        QStringLiteral("Keep nothing (draw five) — returns 0.3591 × bet"),
        QStringLiteral("Your marks: returns 1.1111 × bet, 0.0471 less than the best."),
        QStringLiteral("A ROYAL FLUSH AT A TIME; PAY A LOT, YOU SAY"),
        QStringLiteral("T♠ A♦ 7♣ Q♥ 10♠  |  $1,234.50  —  11 111 1.1"),
        QStringLiteral("  two spaces before, one after "),
        QStringLiteral("Rounds advised: 1 217, of which 1 101 best (90.47 %)")};
    for (const GameFont face : {GameFont::Standard, GameFont::StandardBold}) {
        const QFont font = FontOf(face);
        for (const int pass : {1, 2}) { // shaped, then from the words kept
            for (const QString& text : texts) {
                QImage whole = Canvas();
                QPainter wholePainter(&whole);
                wholePainter.setFont(font);
                wholePainter.drawText(Origin, text);
                wholePainter.end();
                QImage byWords = Canvas();
                QPainter byWordsPainter(&byWords);
                const ShapedLine line = WordShaper::Of(font).Shape(text);
                line.Draw(byWordsPainter, Origin);
                byWordsPainter.end();
                const std::string what = text.toStdString() + ", pass " + std::to_string(pass);
                EXPECT_EQ(byWords, whole) << what;
                const int right = qCeil(Origin.x() + line.width);
                EXPECT_LE(InkRight(whole), right) << what << ": the ink passes the width";
                EXPECT_GE(InkRight(whole), right - 2) << what << ": wider than its ink";
            }
        }
    }
    EXPECT_TRUE(WordShaper::Of(FontOf(GameFont::Standard)).Shape(QString()).glyphs.isEmpty());
}

} // namespace
} // namespace corvanta
