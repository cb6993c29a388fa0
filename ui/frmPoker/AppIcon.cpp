#include "ui/frmPoker/AppIcon.h"

#include "ui/basCards/SuitPaths.h"

#include <QPainter>

namespace corvanta {

QImage AppIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // A card of the table's proportions (71 x 96), standing in the middle of the square.
    const qreal height = size * 0.94;
    const qreal width = height * 71.0 / 96.0;
    const QRectF card((size - width) / 2, (size - height) / 2, width, height);
    const qreal border = std::max<qreal>(1.0, size / 32.0);
    painter.setPen(QPen(QColor(40, 40, 40), border));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(card.adjusted(border / 2, border / 2, -border / 2, -border / 2),
                            size / 10.0, size / 10.0);
    constexpr int Spades = 3;
    cardart::DrawPip(painter, Spades, card.center(), height * 0.55);
    return image;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
    }
    return icon;
}

} // namespace corvanta
