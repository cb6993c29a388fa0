#include "ui/frmAdvisor/LineLabel.h"

#include "ui/Widgets.h"

#include <QEvent>
#include <QPainter>
#include <QtMath>

namespace corvanta {

LineLabel::LineLabel(QWidget* parent, const QString& name, bool bold) : QLabel(parent) {
    setObjectName(name);
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
    setFont(FontOf(bold ? GameFont::StandardBold : GameFont::Standard));
    shaper_ = &WordShaper::Of(font()); // the font may be the inherited one: no change is told
    setFixedSize(0, fontMetrics().height());
}

void LineLabel::setText(const QString& text) {
    if (text == this->text()) {
        return;
    }
    Measure(text);
    QLabel::setText(text);
}

void LineLabel::Measure(const QString& text) {
    // Its whole width, the last letter's overhang included.
    const int width = qCeil(LaidOut(text).width) + 2 * margin();
    if (width > minimumWidth()) {
        setFixedWidth(width);
    }
}

const ShapedLine& LineLabel::LaidOut(const QString& text) {
    for (const ShapedLine& line : recent_) {
        if (line.text == text) {
            return line;
        }
    }
    ShapedLine& line = recent_[nextRecent_];
    nextRecent_ = (nextRecent_ + 1) % recent_.size();
    line = shaper_->Shape(text);
    return line;
}

void LineLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        shaper_ = &WordShaper::Of(font());
        recent_ = {}; // laid out in the old font
        setFixedHeight(fontMetrics().height());
        Measure(text());
    }
}

void LineLabel::paintEvent(QPaintEvent*) {
    if (text().isEmpty()) {
        return; // the window's background shows through
    }
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    // Found among the kept layouts, or laid out now if set through QLabel's own setText.
    LaidOut(text()).Draw(painter, QPointF(margin(), margin() + fontMetrics().ascent()));
}

} // namespace corvanta
