// The card drawing library, checked on the pictures it leaves in an image.
#include "ui/basCards/basCards.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;

namespace corvanta {
namespace {

const QColor White(255, 255, 255);
const QColor TableGreen(0, 128, 0);

QImage Canvas(QSize logical, qreal ratio, QColor fill) {
    QImage image(logical * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}

struct Call {
    int card;
    int mode;
};

QImage Drawn(CardDrawing& cards, std::initializer_list<Call> calls, qreal ratio = 1.0,
             QColor fill = Qt::transparent) {
    QImage image = Canvas({CardWidth, CardHeight}, ratio, fill);
    QPainter painter(&image);
    for (const Call& call : calls)
        cards.cdtDraw(painter, 0, 0, call.card, call.mode, White);
    return image;
}

QImage Drawn(CardDrawing& cards, int card, int mode, qreal ratio = 1.0) {
    return Drawn(cards, {{card, mode}}, ratio);
}

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
    return count;
}

QRect PaintedArea(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                area |= QRect(x, y, 1, 1);
    return area;
}

// Share of channel values (0..255) by which two images of one size differ, on average.
double MeanDifference(const QImage& a, const QImage& b) {
    long total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return static_cast<double>(total) / (4.0 * a.width() * a.height());
}

bool IsRedInk(QRgb p) {
    return qRed(p) >= 150 && qGreen(p) <= 80 && qBlue(p) <= 80;
}
bool IsBlackInk(QRgb p) {
    return qAlpha(p) == 255 && std::max({qRed(p), qGreen(p), qBlue(p)}) <= 60;
}
bool IsInk(QRgb p) {
    return qAlpha(p) == 255 && qRed(p) + qGreen(p) + qBlue(p) < 3 * 255 - 200;
}

// Separate blots of ink in a region, counting pixels that touch side by side as one blot.
int InkBlots(const QImage& image, const QRect& region) {
    std::vector<bool> seen(static_cast<std::size_t>(image.width() * image.height()), false);
    const auto index = [&](QPoint p) {
        return static_cast<std::size_t>(p.y() * image.width() + p.x());
    };
    int blots = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            if (seen[index({x, y})] || !IsInk(image.pixel(x, y)))
                continue;
            ++blots;
            std::vector<QPoint> todo{{x, y}};
            seen[index({x, y})] = true;
            while (!todo.empty()) {
                const QPoint p = todo.back();
                todo.pop_back();
                for (const QPoint step :
                     {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint next = p + step;
                    if (region.contains(next) && !seen[index(next)] && IsInk(image.pixel(next))) {
                        seen[index(next)] = true;
                        todo.push_back(next);
                    }
                }
            }
        }
    return blots;
}

class CardDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        int width = 0;
        int height = 0;
        cards.cdtInit(width, height);
    }

    CardDrawing cards;
};

TEST(CardDrawingInit, ReportsTheSizeOfOneCardImage) {
    CardDrawing cards;
    int width = -1;
    int height = -1;
    cards.cdtInit(width, height);
    EXPECT_EQ(width, 71);
    EXPECT_EQ(height, 96);
}

TEST_F(CardDrawingTest, EachImageFillsExactlyOneCardAtItsPosition) {
    struct Row {
        int card;
        int mode;
        int x;
        int y;
    };
    for (const Row row : {Row{0, CardDrawing::Face, 0, 0}, Row{51, CardDrawing::Face, 13, 4},
                          Row{26, CardDrawing::InvertedFace, 2, 9},
                          Row{53, CardDrawing::Back, 7, 7}, Row{65, CardDrawing::Back, 29, 0}}) {
        SCOPED_TRACE(testing::Message() << "card " << row.card << " mode " << row.mode);
        QImage image = Canvas({100, 110}, 1.0, Qt::transparent);
        QPainter painter(&image);
        cards.cdtDraw(painter, row.x, row.y, row.card, row.mode, White);
        painter.end();
        EXPECT_EQ(PaintedArea(image), QRect(row.x, row.y, 71, 96));
    }
}

TEST_F(CardDrawingTest, InvertedFaceIsTheExactInverseOfTheFace) {
    for (int card = 0; card < CardCount; ++card) {
        SCOPED_TRACE(testing::Message() << "card " << card);
        const QImage face = Drawn(cards, card, CardDrawing::Face);
        const QImage inverted = Drawn(cards, card, CardDrawing::InvertedFace);
        ASSERT_GT(OpaquePixels(face), 71 * 96 * 9 / 10);
        int mismatches = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x) {
                const QRgb f = face.pixel(x, y);
                const QRgb i = inverted.pixel(x, y);
                const bool inverse =
                    qAlpha(f) == qAlpha(i) &&
                    (qAlpha(f) == 0 || (qRed(i) == 255 - qRed(f) && qGreen(i) == 255 - qGreen(f) &&
                                        qBlue(i) == 255 - qBlue(f)));
                mismatches += inverse ? 0 : 1;
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST_F(CardDrawingTest, AllFacesAndBacksAreDifferentPictures) {
    std::vector<std::pair<int, QImage>> pictures;
    for (int card = 0; card < CardCount; ++card)
        pictures.emplace_back(card, Drawn(cards, card, CardDrawing::Face));
    for (int back = 53; back <= 65; ++back)
        pictures.emplace_back(back, Drawn(cards, back, CardDrawing::Back));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_GT(OpaquePixels(pictures[i].second), 0) << "card " << pictures[i].first;
        for (std::size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i].second, pictures[j].second)
                << "cards " << pictures[i].first << " and " << pictures[j].first;
    }
}

TEST_F(CardDrawingTest, RedSuitsAreRedAndBlackSuitsBlack) {
    struct Row {
        std::u16string_view suit;
        bool red;
    };
    for (const Row row : {Row{u"Clubs", false}, Row{u"Diamonds", true}, Row{u"Hearts", true},
                          Row{u"Spades", false}}) {
        const auto found = std::find_if(Suits.begin(), Suits.end(),
                                        [&](const SuitInfo& s) { return s.name == row.suit; });
        ASSERT_NE(found, Suits.end());
        const int suit = static_cast<int>(found - Suits.begin());
        EXPECT_EQ(found->colour == SuitColour::Red, row.red);
        // Ace to ten: indices and pips are all in the suit's ink.
        for (int rank = 0; rank < 10; ++rank) {
            const int card = 4 * rank + suit;
            SCOPED_TRACE(CardName(card).toStdString());
            const QImage face = Drawn(cards, card, CardDrawing::Face);
            int red = 0;
            int black = 0;
            for (int y = 0; y < face.height(); ++y)
                for (int x = 0; x < face.width(); ++x) {
                    red += IsRedInk(face.pixel(x, y)) ? 1 : 0;
                    black += IsBlackInk(face.pixel(x, y)) ? 1 : 0;
                }
            EXPECT_GT(row.red ? red : black, 60);
            EXPECT_EQ(row.red ? black : red, 0);
            if (rank == 0) { // the middle of the ace's big pip
                const QRgb middle = face.pixel(35, 48);
                EXPECT_TRUE(row.red ? IsRedInk(middle) : IsBlackInk(middle));
            }
        }
    }
}

TEST_F(CardDrawingTest, NumberCardsShowOnePipPerPoint) {
    // The field between the two corner indices.
    const QRect pipField(14, 2, 43, 92);
    for (int card = 4; card < 40; ++card) { // twos to tens
        SCOPED_TRACE(CardName(card).toStdString());
        EXPECT_EQ(InkBlots(Drawn(cards, card, CardDrawing::Face, 2.0),
                           QRect(pipField.topLeft() * 2, pipField.size() * 2)),
                  card / 4 + 1);
    }
}

TEST_F(CardDrawingTest, CardsWithoutAMiddlePipReadTheSameUpsideDown) {
    // Twos, fours, tens and court cards look the same turned round; a seven's odd pip does not.
    struct Row {
        int rank;
        bool sameUpsideDown;
    };
    for (const Row row : {Row{1, true}, Row{3, true}, Row{9, true}, Row{10, true}, Row{11, true},
                          Row{12, true}, Row{6, false}})
        for (int suit = 0; suit < SuitCount; ++suit) {
            const int card = 4 * row.rank + suit;
            SCOPED_TRACE(CardName(card).toStdString());
            const QImage face = Drawn(cards, card, CardDrawing::Face);
            const double difference = MeanDifference(face, face.mirrored(true, true));
            if (row.sameUpsideDown)
                EXPECT_LT(difference, 1.0);
            else
                EXPECT_GT(difference, 1.5);
        }
}

TEST_F(CardDrawingTest, CornersAreTransparentAndEdgesOpaque) {
    for (const int mode : {CardDrawing::Face, CardDrawing::InvertedFace, CardDrawing::Back}) {
        const int first = mode == CardDrawing::Back ? 53 : 0;
        const int last = mode == CardDrawing::Back ? 65 : 51;
        for (int card = first; card <= last; ++card) {
            SCOPED_TRACE(testing::Message() << "card " << card << " mode " << mode);
            const QImage image = Drawn(cards, card, mode);
            for (const QPoint corner : {QPoint(0, 0), QPoint(70, 0), QPoint(0, 95), QPoint(70, 95)})
                EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
            for (const QPoint edge : {QPoint(35, 0), QPoint(0, 48), QPoint(70, 48), QPoint(35, 95)})
                EXPECT_EQ(qAlpha(image.pixel(edge)), 255);
        }
    }
}

TEST_F(CardDrawingTest, NumbersAndModesThatNameNoImageDrawNothing) {
    const std::vector<Call> calls{
        {53, CardDrawing::Face},
        {63, CardDrawing::Face},
        {65, CardDrawing::Face},
        {52, CardDrawing::Face},
        {-1, CardDrawing::Face},
        {-32768, CardDrawing::Face},
        {INT_MIN, CardDrawing::Face},
        {INT_MAX, CardDrawing::Face},
        {0, CardDrawing::Back},
        {51, CardDrawing::Back},
        {52, CardDrawing::Back},
        {66, CardDrawing::Back},
        {INT_MAX, CardDrawing::Back},
        {63, CardDrawing::InvertedFace},
        {-4, CardDrawing::InvertedFace},
        {52, CardDrawing::InvertedFace},
        {0, 3},
        {63, 3},
        {0, -1},
        {0, INT_MAX},
        {INT_MIN, INT_MIN},
    };
    const QImage untouched = Canvas({CardWidth, CardHeight}, 1.0, TableGreen);
    for (const Call call : calls) {
        SCOPED_TRACE(testing::Message() << "card " << call.card << " mode " << call.mode);
        EXPECT_EQ(Drawn(cards, {call}, 1.0, TableGreen), untouched);
    }
}

TEST(CardDrawingLifetime, DrawsNothingBeforeInitOrAfterTermAndAgainAfterANewInit) {
    CardDrawing cards;
    const QImage untouched = Canvas({CardWidth, CardHeight}, 1.0, TableGreen);
    EXPECT_EQ(Drawn(cards, {{0, CardDrawing::Face}}, 1.0, TableGreen), untouched);
    int width = 0;
    int height = 0;
    cards.cdtInit(width, height);
    EXPECT_NE(Drawn(cards, {{0, CardDrawing::Face}}, 1.0, TableGreen), untouched);
    cards.cdtTerm();
    for (const Call call : {Call{0, CardDrawing::Face}, Call{63, CardDrawing::Back},
                            Call{7, CardDrawing::InvertedFace}}) {
        EXPECT_EQ(Drawn(cards, {call}, 1.0, TableGreen), untouched);
        EXPECT_EQ(Drawn(cards, {call}, 2.0, TableGreen),
                  Canvas({CardWidth, CardHeight}, 2.0, TableGreen));
    }
    cards.cdtTerm();
    cards.cdtInit(width, height);
    EXPECT_NE(Drawn(cards, {{63, CardDrawing::Back}}, 1.0, TableGreen), untouched);
}

TEST_F(CardDrawingTest, ABackDrawnOverAFaceLooksLikeTheBackAlone) {
    for (int back = 53; back <= 65; ++back)
        for (const Call face : {Call{0, CardDrawing::Face}, Call{25, CardDrawing::InvertedFace},
                                Call{51, CardDrawing::Face}, Call{back, CardDrawing::Face}})
            for (const QColor table : {TableGreen, QColor(Qt::transparent)}) {
                SCOPED_TRACE(testing::Message() << "back " << back << " over " << face.card);
                EXPECT_EQ(Drawn(cards, {face, {back, CardDrawing::Back}}, 1.0, table),
                          Drawn(cards, {{back, CardDrawing::Back}}, 1.0, table));
            }
}

TEST_F(CardDrawingTest, HighDensityDevicesGetImagesDrawnAtTheirResolution) {
    for (const Call call : {Call{0, CardDrawing::Face}, Call{46, CardDrawing::Face},
                            Call{38, CardDrawing::InvertedFace}, Call{63, CardDrawing::Back}}) {
        SCOPED_TRACE(testing::Message() << "card " << call.card << " mode " << call.mode);
        const QImage single = Drawn(cards, call.card, call.mode, 1.0);
        const QImage twice = Drawn(cards, call.card, call.mode, 2.0);
        ASSERT_EQ(twice.size(), QSize(142, 192));
        EXPECT_EQ(PaintedArea(twice), QRect(0, 0, 142, 192));

        // The same picture: shrunk back to one pixel in four it is close to the 1× image …
        const QImage shrunk = twice.scaled(71, 96, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(MeanDifference(shrunk, single), 12.0);
        // … but with detail of its own: neither enlargement of the 1× image matches it.
        for (const Qt::TransformationMode scaling :
             {Qt::FastTransformation, Qt::SmoothTransformation}) {
            const QImage enlarged = single.scaled(142, 192, Qt::IgnoreAspectRatio, scaling);
            EXPECT_GT(MeanDifference(enlarged, twice), 2.0);
        }
        // Drawing at 2× leaves the 1× images as they were.
        EXPECT_EQ(Drawn(cards, call.card, call.mode, 1.0), single);
    }
}

TEST(CardName, NamesEveryFaceAndNothingElse) {
    struct Row {
        int card;
        QString name;
    };
    for (const Row& row :
         {Row{0, u"Ace of Clubs"_s}, Row{3, u"Ace of Spades"_s}, Row{4, u"Two of Clubs"_s},
          Row{17, u"Five of Diamonds"_s}, Row{36, u"Ten of Clubs"_s}, Row{38, u"Ten of Hearts"_s},
          Row{42, u"Jack of Hearts"_s}, Row{46, u"Queen of Hearts"_s}, Row{51, u"King of Spades"_s},
          Row{-1, QString()}, Row{52, QString()}, Row{63, QString()}, Row{INT_MIN, QString()},
          Row{INT_MAX, QString()}})
        EXPECT_EQ(CardName(row.card), row.name) << "card " << row.card;
}

} // namespace
} // namespace corvanta
