#include "cards/CardDeck.h"

using namespace Qt::StringLiterals;

namespace corvanta {

QColor SuitInk(int suit) {
    return Suits.at(static_cast<std::size_t>(suit)).colour == SuitColour::Red ? QColor(200, 16, 32)
                                                                              : QColor(20, 20, 24);
}

QString ShortCardName(int card) {
    if (!IsFace(card))
        return {};
    return QStringView(IndexLabels[static_cast<std::size_t>(RankOf(card))]).toString() +
           QStringView(Suits[static_cast<std::size_t>(SuitOf(card))].symbol).toString();
}

} // namespace corvanta
