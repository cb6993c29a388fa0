#include "ui/frmAdvisor/LineLabel.h"

#include "ui/Widgets.h"

#include <algorithm>

namespace corvanta {

LineLabel::LineLabel(QWidget* parent, const QString& name, bool bold) : QLabel(parent) {
    setObjectName(name);
    setWordWrap(false);
    setFont(FontOf(bold ? GameFont::StandardBold : GameFont::Standard));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize LineLabel::sizeHint() const {
    widest_ = std::max(widest_, fontMetrics().horizontalAdvance(text()));
    return {widest_ + 2 * margin(), fontMetrics().height()};
}

QSize LineLabel::minimumSizeHint() const {
    return sizeHint();
}

} // namespace corvanta
