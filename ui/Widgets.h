#pragma once
// What every window of the game is built from: places in twips, the game's fonts and
// colours, one-pixel lines, labels from a layout table, the keyboard focus ring, and the
// create-or-raise of a modeless window.

#include <QColor>
#include <QList>
#include <QPalette>
#include <QPointer>
#include <QRect>

#include <initializer_list>

class QLabel;
class QPainter;
class QTableWidget;
class QWidget;

namespace corvanta {

// Window layouts are written in twips, as in their design; the screen has 15 of them to a
// pixel.
constexpr int TwipsPerPixel = 15;
constexpr int Px(int twips) {
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

// A control's place in twips: left, top, width, height. A line is a place of no height (or
// no width) from its first point to its last, both included.
struct Twips {
    int left = 0, top = 0, width = 0, height = 0;
};
constexpr QRect ToPixels(const Twips& place) {
    return {Px(place.left), Px(place.top), Px(place.width), Px(place.height)};
}

// The windows were designed in Arial and MS Sans Serif; the game draws both in Liberation Sans,
// which has the same metrics as Arial, so captions sized for those fonts keep fitting. Every
// window without a font of its own uses MS Sans Serif 8.25 pt (Standard).
enum class GameFont {
    Standard,
    StandardBold,
    SansSerif12Bold,
    Arial12,
    Arial12Bold,
    Arial975,
    Arial975Bold,
    Arial1425Bold,
};
QFont FontOf(GameFont font);
void InstallGameFonts();

// Colours of the game's windows.
inline constexpr QColor TableGreen(0, 128, 0);
inline constexpr QColor Yellow(255, 255, 0);

// Fills the widget's background with a colour of its own.
void PaintBackground(QWidget* widget, const QColor& colour);
// One colour of the widget's palette.
void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// A black line one pixel wide: horizontal (height 0) or vertical (width 0).
QWidget* AddLine(QWidget* parent, const char* name, const Twips& place);

// A label of a layout table: plain text, aligned to its top unless the row says otherwise.
struct LabelRow {
    const char* name;
    Twips place;
    const char* caption;
    GameFont font = GameFont::Standard;
    QRgb colour = 0; // 0: the standard text colour
    Qt::Alignment align = Qt::AlignLeft;
    QRgb background = 0; // 0: transparent
};
QLabel* AddLabel(QWidget* parent, const LabelRow& row);

// A table the player reads and does not edit: headed columns of the given widths in pixels
// (the last one stretches), rows of 18 pixels, no row numbers.
struct TableColumn {
    const char* heading;
    int width;
};
QTableWidget* AddReadOnlyTable(QWidget* parent, const QString& name, const Twips& place, int rows,
                               std::initializer_list<TableColumn> columns);

// Liberation Sans runs a few pixels wider than the font some captions were sized for: such
// a caption's label grows to its text. Only used where nothing stands in the way.
void GrowToText(QLabel* label);

// The dotted yellow ring a card picture wears while it has the keyboard focus.
void DrawFocusRing(QPainter& painter, const QRect& rect);

// A modeless window that exists at most once: made when it is not open (a closed window is
// hidden until its deletion runs, so it does not count), then shown and brought forward.
template <typename Window, typename Make> Window* ShowOrRaise(QPointer<Window>& slot, Make make) {
    if (slot == nullptr || !slot->isVisible()) {
        slot = make();
    }
    slot->setWindowState(slot->windowState() & ~Qt::WindowMinimized);
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

// Whether a frame lies wholly within one of the screens' free areas (the desktop's screens
// as they are now, by default): a window is put back where the player left it only then.
bool FitsOnAScreen(const QRect& frame, const QList<QRect>& screens);
bool FitsOnAScreen(const QRect& frame);

} // namespace corvanta
