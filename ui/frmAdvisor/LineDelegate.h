#pragma once
// Each cell's one line of text, its selection and its focus as the style draws them, without
// the style's general item layout: that lays the text out three times to find where an icon,
// a check box and the text would go, and the advisor's lists have neither icons nor check boxes.

#include <QStyledItemDelegate>

namespace corvanta {

class LineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace corvanta
