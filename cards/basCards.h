#pragma once

#include "cards/CardDeck.h"

#include <QColor>
#include <QImage>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

namespace corvanta {

// The card drawing library: every face, inverted face and back is painted once into an image,
// and each draw is a blit. Owned by the application and passed by reference to the windows.
//
// Images follow the device pixel ratio of the device being painted on: the first draw on a
// device of a new ratio paints a second set at that ratio, so cards stay sharp on high-density
// screens; a card drawn scaled is a ratio of its own. Ratios are clamped to 1..MaxPixelRatio.
// Each image is painted the first time it is drawn, so the game's start paints one back
// instead of the whole deck. Only the few ratios drawn last are kept: a window resized
// through many scales does not gather a set for each.
class CardDrawing {
public:
    static constexpr int Face = 0;         // mode: card face, cards 0..51
    static constexpr int Back = 1;         // mode: card back, backs 53..65
    static constexpr int InvertedFace = 2; // mode: face with inverted colours, cards 0..51
    static constexpr qreal MaxPixelRatio = 8.0;

    // Makes the library ready (for the highest ratio of the application's screens) and reports
    // the size of one card image in logical pixels.
    void cdtInit(int& width, int& height);

    // Draws one card image with its top-left corner at (x, y). A card number or mode that does
    // not name an image draws nothing. The colour is accepted for the interface and not used:
    // cards are always printed on white.
    void cdtDraw(QPainter& dc, int x, int y, int card, int mode, QColor colour);
    // The same card at `scale` times its size, painted at that size rather than stretched, up
    // to the sharpest ratio; beyond it the sharpest image is stretched.
    void cdtDrawScaled(QPainter& dc, int x, int y, qreal scale, int card, int mode);

    // Releases the images; draws after this paint nothing until the next cdtInit.
    void cdtTerm();

private:
    // Faces, then inverted faces, then backs.
    static constexpr int ImageCount = 2 * CardCount + BackCount;

    static constexpr std::size_t KeptSets = 3;

    struct ImageSet {
        qreal ratio = 1.0;
        std::uint64_t lastUse = 0;
        std::array<QImage, ImageCount> images;
    };

    static std::optional<std::size_t> SlotOf(int card, int mode);
    static QImage PaintSlot(qreal ratio, std::size_t slot);
    ImageSet& SetFor(qreal ratio);
    const QImage& ImageFor(qreal ratio, std::size_t slot);

    bool ready_ = false;
    qreal initRatio_ = 1.0;
    std::vector<ImageSet> sets_;
    std::uint64_t uses_ = 0;
};

} // namespace corvanta
