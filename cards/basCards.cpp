#include "cards/basCards.h"

#include "cards/CardBacks.h"
#include "cards/CardFaces.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace corvanta {

namespace {

template <typename PaintFunction> QImage PaintImage(qreal ratio, PaintFunction paint) {
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

std::optional<std::size_t> CardDrawing::SlotOf(int card, int mode) {
    if (mode == Face && IsFace(card))
        return static_cast<std::size_t>(card);
    if (mode == InvertedFace && IsFace(card))
        return static_cast<std::size_t>(CardCount + card);
    if (mode == Back && IsBack(card))
        return static_cast<std::size_t>(2 * CardCount + card - FirstBack);
    return std::nullopt;
}

QImage CardDrawing::PaintSlot(qreal ratio, std::size_t slot) {
    const int index = static_cast<int>(slot);
    if (index >= 2 * CardCount) {
        const int design = index - 2 * CardCount;
        return PaintImage(ratio, [design](QPainter& p) { cardart::PaintBack(p, design); });
    }
    const int card = index % CardCount;
    QImage face = PaintImage(ratio, [card](QPainter& p) { cardart::PaintFace(p, card); });
    if (index >= CardCount) {
        // The card's outer edge is hard, so inverting colour leaves every pixel's opacity alone.
        face.invertPixels(QImage::InvertRgb);
    }
    return face;
}

void CardDrawing::cdtInit(int& width, int& height) {
    initRatio_ = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    sets_.clear();
    ready_ = true;
    width = CardWidth;
    height = CardHeight;
}

CardDrawing::ImageSet& CardDrawing::SetFor(qreal ratio) {
    ratio = std::clamp(ratio, 1.0, MaxPixelRatio);
    auto found = std::find_if(sets_.begin(), sets_.end(), [ratio](const ImageSet& set) {
        return qFuzzyCompare(set.ratio, ratio);
    });
    if (found == sets_.end()) {
        if (sets_.size() >= KeptSets) {
            sets_.erase(std::min_element(
                sets_.begin(), sets_.end(),
                [](const ImageSet& a, const ImageSet& b) { return a.lastUse < b.lastUse; }));
        }
        found = sets_.insert(sets_.end(), ImageSet{});
        found->ratio = ratio;
    }
    found->lastUse = ++uses_;
    return *found;
}

const QImage& CardDrawing::ImageFor(qreal ratio, std::size_t slot) {
    ImageSet& set = SetFor(ratio);
    QImage& image = set.images[slot];
    if (image.isNull())
        image = PaintSlot(set.ratio, slot);
    return image;
}

void CardDrawing::cdtDraw(QPainter& dc, int x, int y, int card, int mode, QColor /*colour*/) {
    cdtDrawScaled(dc, x, y, 1.0, card, mode);
}

void CardDrawing::cdtDrawScaled(QPainter& dc, int x, int y, qreal scale, int card, int mode) {
    const std::optional<std::size_t> slot = SlotOf(card, mode);
    if (!ready_ || !slot || !dc.isActive() || dc.device() == nullptr || scale <= 0)
        return;
    const qreal deviceRatio = dc.device()->devicePixelRatio();
    const qreal ratio = deviceRatio * scale;
    const QImage& image = ImageFor(ratio, *slot);
    if (scale == 1.0) {
        dc.drawImage(QPoint(x, y), image);
    } else if (ratio <= MaxPixelRatio) {
        // The image holds the card at the scaled size in device pixels: drawn pixel for pixel.
        dc.drawImage(QRectF(x, y, image.width() / deviceRatio, image.height() / deviceRatio),
                     image);
    } else {
        dc.drawImage(QRectF(x, y, CardWidth * scale, CardHeight * scale), image);
    }
}

void CardDrawing::cdtTerm() {
    sets_.clear();
    ready_ = false;
}

} // namespace corvanta
