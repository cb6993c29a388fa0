#include "ui/frmPoker/CardPicture.h"

#include "cards/CardDeck.h"
#include "cards/basCards.h"
#include "engine/AdviceText.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace corvanta {

CardPicture::CardPicture(const GameModel& model, CardDrawing& cards, int slot, QWidget* parent)
    : QWidget(parent), model_(model), cards_(cards), slot_(slot) {
    setObjectName(QStringLiteral("Card%1").arg(slot + 1));
    setFocusPolicy(Qt::TabFocus); // a click marks the card; the focus ring is for the keyboard
    setAccessibleName(QStringLiteral("Card back"));
}

void CardPicture::Refresh() {
    const ShownCard shown = model_.CardShownAt(slot_);
    const QString name = shown.side == ShownCard::Side::Back ? QStringLiteral("Card back")
                                                             : ToQString(CardName(shown.card));
    const QString description = shown.side == ShownCard::Side::InvertedFace
                                    ? QStringLiteral("Marked for discard")
                                    : QString();
    if (accessibleName() != name) {
        setAccessibleName(name);
    }
    if (accessibleDescription() != description) {
        setAccessibleDescription(description);
    }
    repaint();
}

void CardPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ShownCard shown = model_.CardShownAt(slot_);
    using enum ShownCard::Side;
    const int mode = shown.side == Back           ? CardDrawing::Back
                     : shown.side == InvertedFace ? CardDrawing::InvertedFace
                                                  : CardDrawing::Face;
    // The card fills the picture's width: the table scales it with the window.
    cards_.cdtDrawScaled(painter, 0, 0, qreal(width()) / CardWidth, shown.card, mode);
    if (hasFocus()) {
        DrawFocusRing(painter, rect());
    }
}

void CardPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked(slot_);
    }
}

void CardPicture::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        emit clicked(slot_);
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace corvanta
