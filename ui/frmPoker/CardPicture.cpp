#include "ui/frmPoker/CardPicture.h"

#include "ui/GameModel.h"
#include "ui/Widgets.h"
#include "ui/basCards/basCards.h"

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

void CardPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Table& table = model_.GetTable();
    const int card = table.Hand[slot_];
    const bool marked = table.Discard[slot_];
    cards_.cdtDraw(painter, 0, 0, card, marked ? CardDrawing::InvertedFace : CardDrawing::Face,
                   Qt::white);
    if (table.ShowBacks) {
        cards_.cdtDraw(painter, 0, 0, table.CardBG, CardDrawing::Back, Qt::white);
        Describe(QStringLiteral("Card back"), false);
    } else {
        Describe(CardName(card), marked);
    }
    if (hasFocus()) {
        DrawFocusRing(painter, rect());
    }
}

void CardPicture::Describe(const QString& name, bool marked) {
    if (accessibleName() != name) {
        setAccessibleName(name);
    }
    const QString description = marked ? QStringLiteral("Marked for discard") : QString();
    if (accessibleDescription() != description) {
        setAccessibleDescription(description);
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
