// The pictures the game paints: the card drawing library, checked on the pictures it leaves in
// an image, and the window icon.
#include "cards/basCards.h"
#include "support/TempFolder.h"
#include "ui/frmPoker/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace corvanta {
namespace {

// What one draw leaves on a card-sized canvas of that pixel ratio filled with `fill`.
QImage Drawn(CardDrawing& cards, int card, int mode, qreal ratio = 1,
             QColor fill = Qt::transparent) {
    QImage image(QSize(71, 96) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    QPainter painter(&image);
    cards.cdtDraw(painter, 0, 0, card, mode, Qt::white);
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
        QSize size;
        cards.cdtInit(size.rwidth(), size.rheight());
        EXPECT_EQ(size, QSize(71, 96));
    }
    CardDrawing cards;
};

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
        EXPECT_EQ(qAlpha(face.pixel(0, 0)) + qAlpha(face.pixel(70, 95)), 0); // round corners
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
    const QImage green = Drawn(cards, -1, 0, 1, Qt::darkGreen);
    const int numbers[] = {53, 52, -1, INT_MIN, INT_MAX, 0, 52, 66, 63, 0};
    const int modes[] = {0, 0, 0, 0, 0, 1, 1, 1, 2, 3};
    for (int n = 0; n < 10; ++n) {
        EXPECT_EQ(Drawn(cards, numbers[n], modes[n], 1, Qt::darkGreen), green) << n;
    }
    cards.cdtTerm();
    EXPECT_EQ(Drawn(cards, 63, 1, 1, Qt::darkGreen), green);
    int size = 0;
    cards.cdtInit(size, size);
    EXPECT_NE(Drawn(cards, 63, 1, 1, Qt::darkGreen), green);
}

// On a screen of twice the density the pictures are painted at its resolution, with detail of
// their own: no enlargement of the ordinary ones.
TEST_F(CardDrawingTest, HighDensityScreensGetCardsDrawnAtTheirResolution) {
    for (const auto& [card, mode] : {std::pair{0, 0}, {46, 0}, {38, 2}, {63, 1}}) {
        const QImage single = Drawn(cards, card, mode);
        const QImage twice = Drawn(cards, card, mode, 2);
        EXPECT_EQ(Painted(twice), QRect(0, 0, 142, 192)) << card;
        for (const auto scaling : {Qt::FastTransformation, Qt::SmoothTransformation}) {
            const QImage enlarged = single.scaled(142, 192, Qt::IgnoreAspectRatio, scaling);
            EXPECT_GT(Difference(enlarged, twice), 2.0) << card;
        }
    }
}

// The icon theme's icon once installed, otherwise painted at a size when it is first asked for.
TEST(AppIcon, IsTheIconThemesOnceInstalledAndElsePaintedWhenASizeIsFirstAskedFor) {
    // The only icon theme: hicolor in a folder of the test's, holding one icon at 48 px, as an
    // installation puts it there. The offscreen platform names no theme of its own.
    const test::TempFolder themes;
    const QString folder = QString::fromStdString(themes / "hicolor/48x48/apps");
    ASSERT_TRUE(QDir().mkpath(folder));
    test::WriteBytes(themes / "hicolor/index.theme",
                     "[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n\n"
                     "[48x48/apps]\nSize=48\nType=Fixed\n");
    QImage installed(48, 48, QImage::Format_ARGB32_Premultiplied);
    installed.fill(QColor(200, 30, 30));
    ASSERT_TRUE(installed.save(folder + QStringLiteral("/org.corvanta.InTheTheme.png")));
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString themeName = QIcon::themeName();
    QIcon::setThemeSearchPaths({QString::fromStdString(themes.Path())});
    QIcon::setThemeName(QStringLiteral("hicolor"));
    const auto pixels = [](const QPixmap& pixmap) {
        return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvanta.InTheTheme"));
    EXPECT_EQ(pixels(AppIcon().pixmap(48)), installed);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvanta.NotInTheTheme"));
    const QIcon painted = AppIcon();
    EXPECT_TRUE(painted.availableSizes().isEmpty()) << "X11 would ask for every size listed";
    EXPECT_EQ(pixels(painted.pixmap(32)), AppIconImage(32));
    EXPECT_EQ(pixels(painted.pixmap(48)), AppIconImage(48));
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(themeName);
    QGuiApplication::setDesktopFileName(QString());
}

} // namespace
} // namespace corvanta
