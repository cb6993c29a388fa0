#include "ui/frmAdvisor/LineLabel.h"

#include "ui/Widgets.h"

namespace corvanta {

LineLabel::LineLabel(QWidget* parent, const QString& name, bool bold) : QLabel(parent) {
    setObjectName(name);
    setWordWrap(false);
    setFont(FontOf(bold ? GameFont::StandardBold : GameFont::Standard));
    setFixedSize(0, fontMetrics().height());
}

void LineLabel::setText(const QString& text) {
    const int width = fontMetrics().horizontalAdvance(text) + 2 * margin();
    if (width > minimumWidth()) {
        setFixedWidth(width);
    }
    QLabel::setText(text);
}

} // namespace corvanta
