#include "ui/frmAdvisor/LineLabel.h"

#include "ui/Widgets.h"

#include <QPainter>

namespace corvanta {

LineLabel::LineLabel(QWidget* parent, const QString& name, bool bold) : QLabel(parent) {
    setObjectName(name);
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
    setFont(FontOf(bold ? GameFont::StandardBold : GameFont::Standard));
    setFixedSize(0, fontMetrics().height());
}

void LineLabel::setText(const QString& text) {
    if (text == this->text()) {
        return;
    }
    const int width = fontMetrics().horizontalAdvance(text) + 2 * margin();
    if (width > minimumWidth()) {
        setFixedWidth(width);
    }
    QLabel::setText(text);
}

void LineLabel::paintEvent(QPaintEvent*) {
    if (text().isEmpty()) {
        return; // the window's background shows through
    }
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(QPointF(margin(), margin() + fontMetrics().ascent()), text());
}

} // namespace corvanta
