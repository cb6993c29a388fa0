// Renders the whole deck on one sheet: four rows of faces (one suit a row), the same faces
// inverted, and the thirteen backs, on the table's green. Runs on the offscreen platform.
#include "cards/basCards.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

constexpr int Gap = 8;     // between cards
constexpr int Border = 16; // round the sheet and between the three groups
constexpr QColor Table(0, 128, 0);

QPoint CardPosition(int column, int row, int group) {
    return {Border + column * (corvanta::CardWidth + Gap),
            Border + row * (corvanta::CardHeight + Gap) + group * (Border - Gap)};
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    bool ratioOk = true;
    const qreal ratio = args.size() > 2 ? args.at(2).toDouble(&ratioOk) : 1.0;
    if (args.size() < 2 || args.size() > 3 || !ratioOk || ratio < 1.0) {
        QTextStream(stderr) << "usage: corvanta-card-sheet FILE.png [DEVICE-PIXEL-RATIO]\n";
        return 2;
    }

    using corvanta::CardDrawing;
    CardDrawing cards;
    int width = 0;
    int height = 0;
    cards.cdtInit(width, height);

    const QPoint last = CardPosition(corvanta::RankCount - 1, 2 * corvanta::SuitCount, 2);
    const QSize logical(last.x() + width + Border, last.y() + height + Border);
    QImage sheet(logical * ratio, QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(ratio);
    sheet.fill(Table);
    {
        QPainter painter(&sheet);
        const QColor white(255, 255, 255);
        for (int suit = 0; suit < corvanta::SuitCount; ++suit)
            for (int rank = 0; rank < corvanta::RankCount; ++rank) {
                const int card = rank * corvanta::SuitCount + suit;
                const QPoint face = CardPosition(rank, suit, 0);
                const QPoint inverted = CardPosition(rank, corvanta::SuitCount + suit, 1);
                cards.cdtDraw(painter, face.x(), face.y(), card, CardDrawing::Face, white);
                cards.cdtDraw(painter, inverted.x(), inverted.y(), card, CardDrawing::InvertedFace,
                              white);
            }
        for (int i = 0; i < corvanta::BackCount; ++i) {
            const QPoint back = CardPosition(i, 2 * corvanta::SuitCount, 2);
            cards.cdtDraw(painter, back.x(), back.y(), corvanta::FirstBack + i, CardDrawing::Back,
                          white);
        }
    }
    cards.cdtTerm();

    if (!sheet.save(args.at(1), "PNG")) {
        QTextStream(stderr) << "corvanta-card-sheet: cannot write " << args.at(1) << '\n';
        return 1;
    }
    return 0;
}
