#include "ui/frmPoker/AppIcon.h"

#include "cards/CardDeck.h"
#include "cards/SuitPaths.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace corvanta {

namespace {

// Paints the icon at a size when Qt asks for that size, and keeps nothing: Qt asks only when
// it hands the icon to the window manager (once a window), which copies the pixels, and sizes
// nobody shows are never painted.
class PaintedIconEngine final : public QIconEngine {
public:
    // Every mode and state gets the same picture: the icon only ever shows as the window's.
    QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        const int side = SideFor(size);
        if (side <= 0)
            return {};
        return QPixmap::fromImage(AppIconImage(side));
    }

    QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        const int side = SideFor(size);
        return side > 0 ? QSize(side, side) : QSize();
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio =
            painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    // None: X11 then asks for its own four (16 to 128) when it hands the icon to the window
    // manager, rather than for every size an icon theme has.
    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return {};
    }

    QIconEngine* clone() const override { return new PaintedIconEngine(*this); }

private:
    // The largest size the icon theme installs; a larger request gets this one, as it would
    // from the theme.
    static constexpr int LargestSide = 256;

    static int SideFor(QSize size) { return std::min({size.width(), size.height(), LargestSide}); }
};

// Whether an installation put the icon where every icon theme's search ends: the hicolor theme,
// at the 48 x 48 every application installs, in one of Qt's icon theme folders. Asking the
// icon theme itself first reads the theme's whole index, which costs more than painting the
// icon, so a copy that was never installed does not ask.
bool InHicolorTheme(const QString& name) {
    const QString file = u"/hicolor/48x48/apps/"_s + name + u".png"_s;
    const QStringList folders = QIcon::themeSearchPaths();
    return std::any_of(folders.begin(), folders.end(),
                       [&file](const QString& folder) { return QFileInfo::exists(folder + file); });
}

} // namespace

QImage AppIconImage(int size) {
    if (size <= 0)
        return {};
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
    const auto spades = std::find_if(Suits.begin(), Suits.end(), [](const SuitInfo& suit) {
        return suit.shape == SuitShape::Spade;
    });
    cardart::DrawPip(painter, static_cast<int>(spades - Suits.begin()), card.center(),
                     height * 0.55);
    return image;
}

QIcon AppIcon() {
    const QIcon painted(new PaintedIconEngine);
    const QString name = QGuiApplication::desktopFileName();
    return !name.isEmpty() && InHicolorTheme(name) ? QIcon::fromTheme(name, painted) : painted;
}

} // namespace corvanta
