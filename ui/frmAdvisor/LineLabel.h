#pragma once
// A line of the advisor's text that changes with the game: one line high, its text never
// wrapped, and of a fixed width, that of the widest text it has shown. A new text repaints the
// line and, unless it is wider than any before, lays nothing out again: a QLabel that may
// grow or shrink measured each changed line in full and laid the whole window out again,
// which took more than painting it.

#include <QLabel>

namespace corvanta {

class LineLabel : public QLabel {
    Q_OBJECT
public:
    LineLabel(QWidget* parent, const QString& name, bool bold = false);

    // Hides QLabel::setText, through which the line would not widen for a wider text.
    void setText(const QString& text);

protected:
    // The text on its one line, from the left: QLabel's painting lays it out as a paragraph.
    void paintEvent(QPaintEvent* event) override;
};

} // namespace corvanta
