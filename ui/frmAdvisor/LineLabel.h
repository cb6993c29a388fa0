#pragma once
// A line of the advisor's text that changes with the game: one line high, its text never
// wrapped, and of a fixed width, that of the widest text it has shown. A new text repaints the
// line and, unless it is wider than any before, lays nothing out again: a QLabel that may
// grow or shrink measured each changed line in full and laid the whole window out again,
// which took more than painting it.

#include "ui/frmAdvisor/WordShaper.h"

#include <QLabel>

#include <array>

namespace corvanta {

class LineLabel : public QLabel {
    Q_OBJECT
public:
    LineLabel(QWidget* parent, const QString& name, bool bold = false);

    // Hide QLabel's own: through setText the line would not widen for a wider text, and clear
    // would repaint a line that is empty already.
    void setText(const QString& text);
    void clear() { setText(QString()); }

protected:
    // The text on its one line, from the left: QLabel's painting lays it out as a paragraph.
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Lays `text` out and widens the line for it when it is wider than any before.
    void Measure(const QString& text);
    // `text` laid out in the label's font, once for each of the last few texts shown: a line
    // that comes back (a title, a rank) is neither measured nor laid out again.
    const ShapedLine& LaidOut(const QString& text);

    WordShaper* shaper_ = nullptr; // of the label's font
    std::array<ShapedLine, 4> recent_;
    std::size_t nextRecent_ = 0;
};

} // namespace corvanta
