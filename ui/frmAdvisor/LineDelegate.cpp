#include "ui/frmAdvisor/LineDelegate.h"

#include "ui/frmAdvisor/WordShaper.h"

#include <QPainter>

namespace corvanta {

void LineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QPalette::ColorGroup group =
        (option.state & QStyle::State_Active) != 0 ? QPalette::Active : QPalette::Inactive;
    if (selected) {
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    }
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const int margin =
        option.widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) +
        1;
    const QRect text = option.rect.adjusted(margin, 0, -margin, 0);
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    if (alignment.isValid()) {
        painter->drawText(text, alignment.toInt() | Qt::TextSingleLine, index.data().toString());
    } else { // on the left, cut at the cell's end: the text's line needs no layout
        const QFontMetrics metrics(option.font);
        painter->save();
        painter->setClipRect(text, Qt::IntersectClip);
        // Shaped a word at a time: most of a new row's words were in the rows before.
        WordShaper::Of(option.font)
            .Shape(index.data().toString())
            .Draw(*painter,
                  QPointF(text.left(),
                          text.top() + (text.height() - metrics.height()) / 2 + metrics.ascent()));
        painter->restore();
    }
    if ((option.state & QStyle::State_HasFocus) != 0) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor =
            option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter,
                                              option.widget);
    }
}

} // namespace corvanta
