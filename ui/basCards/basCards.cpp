#include "ui/basCards/basCards.h"

#include "ui/basCards/CardBacks.h"
#include "ui/basCards/CardFaces.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace corvanta {

namespace {

template <typename PaintFunction> QImage paintImage(qreal ratio, PaintFunction paint) {
    QImage image(static_cast<int>(std::lround(CardWidth * ratio)),
                 static_cast<int>(std::lround(CardHeight * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paint(painter);
    return image;
}

} // namespace

std::optional<std::size_t> CardDrawing::slotOf(int card, int mode) {
    if (mode == Face && isFace(card))
        return static_cast<std::size_t>(card);
    if (mode == InvertedFace && isFace(card))
        return static_cast<std::size_t>(FaceCount + card);
    if (mode == Back && isBack(card))
        return static_cast<std::size_t>(2 * FaceCount + card - FirstBack);
    return std::nullopt;
}

CardDrawing::ImageSet CardDrawing::paintImages(qreal ratio) {
    ImageSet set;
    set.ratio = ratio;
    for (int card = 0; card < FaceCount; ++card) {
        const QImage face = paintImage(ratio, [card](QPainter& p) { cardart::paintFace(p, card); });
        // The card's outer edge is hard, so inverting colour leaves every pixel's opacity alone.
        QImage inverted = face.copy();
        inverted.invertPixels(QImage::InvertRgb);
        set.images[*slotOf(card, Face)] = face;
        set.images[*slotOf(card, InvertedFace)] = inverted;
    }
    for (int back = FirstBack; back < FirstBack + BackCount; ++back)
        set.images[*slotOf(back, Back)] =
            paintImage(ratio, [back](QPainter& p) { cardart::paintBack(p, back - FirstBack); });
    return set;
}

void CardDrawing::cdtInit(int& width, int& height) {
    const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    sets_.clear();
    ready_ = true;
    imagesFor(ratio);
    width = CardWidth;
    height = CardHeight;
}

const CardDrawing::ImageSet& CardDrawing::imagesFor(qreal ratio) {
    ratio = std::clamp(ratio, 1.0, MaxPixelRatio);
    const auto found = std::find_if(sets_.begin(), sets_.end(), [ratio](const ImageSet& set) {
        return qFuzzyCompare(set.ratio, ratio);
    });
    if (found != sets_.end())
        return *found;
    return sets_.emplace_back(paintImages(ratio));
}

void CardDrawing::cdtDraw(QPainter& dc, int x, int y, int card, int mode, QColor /*colour*/) {
    const std::optional<std::size_t> slot = slotOf(card, mode);
    if (!ready_ || !slot || !dc.isActive() || dc.device() == nullptr)
        return;
    dc.drawImage(QPoint(x, y), imagesFor(dc.device()->devicePixelRatio()).images[*slot]);
}

void CardDrawing::cdtTerm() {
    sets_.clear();
    ready_ = false;
}

} // namespace corvanta
