#include "ui/frmPoker/CardPicture.h"

#include "ui/Game.h"
#include "ui/basCards/basCards.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace corvanta {
namespace {

enum Mode { Face = 0, Back = 1, InvertedFace = 2 };
const QColor White(255, 255, 255);

} // namespace

CardPicture::CardPicture(Game& game, int slot, QWidget* parent)
    : QWidget(parent), game_(game), slot_(slot) {
    setObjectName(QStringLiteral("Card%1").arg(slot + 1));
    setFocusPolicy(Qt::TabFocus); // a click marks the card; the focus ring is for the keyboard
    setAccessibleName(QStringLiteral("Card back"));
}

void CardPicture::ShowFinalCard(int card) {
    finalCard_ = card;
    repaint();
}

void CardPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Table& table = game_.table;
    if (finalCard_) {
        game_.cards.cdtDraw(painter, 0, 0, *finalCard_, Face, White);
        Describe(CardName(*finalCard_), false);
        finalCard_.reset();
    } else {
        const int card = table.Hand[slot_];
        const bool marked = table.Discard[slot_];
        game_.cards.cdtDraw(painter, 0, 0, card, marked ? InvertedFace : Face, White);
        if (table.ShowBacks) {
            game_.cards.cdtDraw(painter, 0, 0, table.CardBG, Back, White);
            Describe(QStringLiteral("Card back"), false);
        } else {
            Describe(CardName(card), marked);
        }
    }
    if (hasFocus()) {
        QPen pen(QColor(255, 255, 0), 2, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), 4, 4);
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
