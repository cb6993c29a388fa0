// The card drawing library, checked on the pictures it leaves in an image.
#include "ui/basCards/basCards.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>

namespace corvanta {
namespace {

// What one draw leaves on a canvas of that size and pixel ratio filled with `fill`.
QImage Drawn(CardDrawing& cards, int card, int mode, qreal ratio = 1, QPoint at = {},
             QColor fill = Qt::transparent, QSize size = {71, 96}) {
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    QPainter painter(&image);
    cards.cdtDraw(painter, at.x(), at.y(), card, mode, Qt::white);
    return image;
}

// Calls `visit` with each pixel of the image and its place.
void EachPixel(const QImage& image, const std::function<void(QRgb, int x, int y)>& visit) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            visit(image.pixel(x, y), x, y);
        }
    }
}

// The rectangle around the pixels that are not transparent.
QRect Painted(const QImage& image) {
    QRect painted;
    EachPixel(image,
              [&](QRgb p, int x, int y) { painted |= qAlpha(p) ? QRect(x, y, 1, 1) : QRect(); });
    return painted;
}

// By how much two pictures of one size differ, on average per channel (0..255).
double Difference(const QImage& a, const QImage& b) {
    double sum = 0;
    EachPixel(a, [&](QRgb p, int x, int y) {
        const QRgb q = b.pixel(x, y);
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
               std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
    });
    return sum / (4.0 * a.width() * a.height());
}

class CardDrawingTest : public ::testing::Test {
protected:
    CardDrawingTest() {
        int width = 0;
        int height = 0;
        cards.cdtInit(width, height);
        EXPECT_EQ(QSize(width, height), QSize(71, 96));
    }
    CardDrawing cards;
};

TEST_F(CardDrawingTest, EachImageIsOneCardWithRoundCornersAtItsPlace) {
    const int cards[] = {0, 51, 26, 65};
    const int modes[] = {0, 0, 2, 1};
    const QPoint places[] = {{0, 0}, {13, 4}, {2, 9}, {29, 0}};
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(n);
        const QPoint at = places[n];
        const QImage image =
            Drawn(this->cards, cards[n], modes[n], 1, at, Qt::transparent, {100, 110});
        EXPECT_EQ(Painted(image), QRect(at, QSize(71, 96)));
        EXPECT_EQ(qAlpha(image.pixel(at)), 0); // the corners are round
        EXPECT_EQ(qAlpha(image.pixel(at + QPoint(70, 95))), 0);
        EXPECT_EQ(qAlpha(image.pixel(at + QPoint(35, 0))), 255);
    }
}

TEST_F(CardDrawingTest, FacesInvertedFacesAndBacksAreDifferentPicturesInTheirInks) {
    std::vector<QImage> pictures;
    for (int card = 0; card < 52; ++card) {
        SCOPED_TRACE(card);
        const QImage face = Drawn(cards, card, 0);
        const QImage inverted = Drawn(cards, card, 2);
        // The inverted face has the face's colours inverted; in aces to tens, the indices and
        // pips of clubs and spades are black, of the others red.
        int wrong = 0;
        int red = 0;
        int black = 0;
        EachPixel(face, [&](QRgb p, int x, int y) {
            const QRgb i = inverted.pixel(x, y);
            wrong += qAlpha(i) != qAlpha(p) ||
                     (qAlpha(p) != 0 && (qRed(i) != 255 - qRed(p) || qGreen(i) != 255 - qGreen(p) ||
                                         qBlue(i) != 255 - qBlue(p)));
            red += qRed(p) >= 150 && qGreen(p) <= 80 && qBlue(p) <= 80;
            black += qAlpha(p) == 255 && std::max({qRed(p), qGreen(p), qBlue(p)}) <= 60;
        });
        EXPECT_EQ(wrong, 0);
        const bool redSuit = card % 4 == 1 || card % 4 == 2;
        EXPECT_TRUE(card >= 40 || ((redSuit ? red : black) > 60 && (redSuit ? black : red) == 0));
        pictures.push_back(face);
    }
    for (int back = 53; back <= 65; ++back) {
        pictures.push_back(Drawn(cards, back, 1));
    }
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        for (std::size_t j = i + 1; j < pictures.size(); ++j) {
            EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
        }
    }
}

TEST_F(CardDrawingTest, WhatNamesNoImageDrawsNothingNorDoesAReleasedLibrary) {
    const QImage green = Drawn(cards, -1, 0, 1, {}, Qt::darkGreen);
    const int numbers[] = {53, 52, -1, INT_MIN, INT_MAX, 0, 52, 66, 63, 0};
    const int modes[] = {0, 0, 0, 0, 0, 1, 1, 1, 2, 3};
    for (int n = 0; n < 10; ++n) {
        EXPECT_EQ(Drawn(cards, numbers[n], modes[n], 1, {}, Qt::darkGreen), green) << n;
    }
    cards.cdtTerm();
    EXPECT_EQ(Drawn(cards, 63, 1, 1, {}, Qt::darkGreen), green);
    int width = 0;
    int height = 0;
    cards.cdtInit(width, height);
    EXPECT_NE(Drawn(cards, 63, 1, 1, {}, Qt::darkGreen), green);
}

TEST_F(CardDrawingTest, HighDensityScreensGetCardsDrawnAtTheirResolution) {
    for (const auto& [card, mode] : {std::pair{0, 0}, {46, 0}, {38, 2}, {63, 1}}) {
        const QImage single = Drawn(cards, card, mode);
        const QImage twice = Drawn(cards, card, mode, 2);
        EXPECT_EQ(Painted(twice), QRect(0, 0, 142, 192));
        // The same picture, shrunk, but with detail of its own: no enlargement of the 1x one.
        EXPECT_LT(Difference(twice.scaled(71, 96, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                             single),
                  12.0);
        for (const auto scaling : {Qt::FastTransformation, Qt::SmoothTransformation}) {
            EXPECT_GT(Difference(single.scaled(142, 192, Qt::IgnoreAspectRatio, scaling), twice),
                      2.0);
        }
        EXPECT_EQ(Drawn(cards, card, mode), single) << card;
    }
}

TEST(CardName, NamesEveryFaceAndNothingElse) {
    const int cards[] = {0, 3, 17, 38, 42, 46, 51, -1, 52, 63};
    const QStringList names = QStringLiteral("Ace of Clubs|Ace of Spades|Five of Diamonds|Ten of "
                                             "Hearts|Jack of Hearts|Queen of Hearts|King of "
                                             "Spades|||")
                                  .split(QLatin1Char('|'));
    for (int n = 0; n < 10; ++n) {
        EXPECT_EQ(CardName(cards[n]), names[n]) << cards[n];
    }
}

} // namespace
} // namespace corvanta
