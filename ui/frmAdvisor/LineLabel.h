#pragma once
// A line of the advisor's text that changes with the game: one line high, its text never
// wrapped, and at least as wide as the widest text it has shown. A new text is measured by
// its advance alone and, unless it is wider than any before, leaves the window's layout as
// it was: QLabel measured each changed line in full and laid the whole window out again,
// which took more than painting it.

#include <QLabel>

namespace corvanta {

class LineLabel : public QLabel {
    Q_OBJECT
public:
    LineLabel(QWidget* parent, const QString& name, bool bold = false);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    mutable int widest_ = 0;
};

} // namespace corvanta
