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
    const auto found = std::find_if(sets_.begin(), sets_.end(), [ratio](const ImageSet& set) {
        return qFuzzyCompare(set.ratio, ratio);
    });
    if (found != sets_.end())
        return *found;
    ImageSet& set = sets_.emplace_back();
    set.ratio = ratio;
    return set;
}

const QImage& CardDrawing::ImageFor(qreal ratio, std::size_t slot) {
    ImageSet& set = SetFor(ratio);
    QImage& image = set.images[slot];
    if (image.isNull())
        image = PaintSlot(set.ratio, slot);
    return image;
}

void CardDrawing::cdtDraw(QPainter& dc, int x, int y, int card, int mode, QColor /*colour*/) {
    const std::optional<std::size_t> slot = SlotOf(card, mode);
    if (!ready_ || !slot || !dc.isActive() || dc.device() == nullptr)
        return;
    dc.drawImage(QPoint(x, y), ImageFor(dc.device()->devicePixelRatio(), *slot));
}

void CardDrawing::cdtTerm() {
    sets_.clear();
    ready_ = false;
}

} // namespace corvanta
