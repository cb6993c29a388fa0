#include "ui/frmAdvisor/RoundsTable.h"

#include "ui/frmAdvisor/LineDelegate.h"
#include "ui/frmAdvisor/RoundsModel.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <utility>

namespace corvanta {
namespace {

// A scroll bar painted again only when what it shows changes: the list's grows by a round
// each time, which in a long session leaves its slider as it was.
class SteadyScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void sliderChange(SliderChange change) override {
        const bool lengthOnly = change == SliderRangeChange || change == SliderStepsChange;
        if (!lengthOnly || Look() != painted_) {
            QScrollBar::sliderChange(change);
        }
    }
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        painted_ = Look();
    }

private:
    // The slider's place and size, and whether either arrow can move it.
    struct Appearance {
        QRect slider;
        bool atStart = false;
        bool atEnd = false;
        bool operator==(const Appearance&) const = default;
    };
    Appearance Look() const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                        this),
                value() == minimum(), value() == maximum()};
    }

    Appearance painted_;
};

} // namespace

RoundsTable::RoundsTable(RoundsModel* model, QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("tblRounds"));
    setModel(model);
    setItemDelegate(new LineDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->hide();
    // Rows of one height, text neither wrapped nor elided: a new round paints its row without
    // measuring any other.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The vertical scroll bar is always there, so its length changing with every round needs
    // no new layout of the view (which would paint both scroll bars again each round).
    setVerticalScrollBar(new SteadyScrollBar(Qt::Vertical, this));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // (Qt connects it to the view's private slot that shows or hides the bars; should that
    // connection not be there, the view is laid out again as before.)
    QObject::disconnect(verticalScrollBar(), SIGNAL(rangeChanged(int, int)), this,
                        SLOT(_q_showOrHideScrollBars()));
    setTextElideMode(Qt::ElideNone);
    const int widths[RoundsModel::ColumnCount] = {46, 120, 116, 82, 236, 70};
    for (int column = 0; column < RoundsModel::ColumnCount; ++column) {
        setColumnWidth(column, widths[column]);
    }
    horizontalHeader()->setStretchLastSection(true);
    setMinimumHeight(90);
    // Connected after the view's own handling of the model, and any other change of the rows
    // lays them all out again.
    connect(model, &QAbstractItemModel::rowsInserted, this, &RoundsTable::RowsInserted);
    const auto anyOtherChange = [this] {
        rowsOnTop_ = -1;
    };
    connect(model, &QAbstractItemModel::modelReset, this, anyOtherChange);
    connect(model, &QAbstractItemModel::layoutChanged, this, anyOtherChange);
    connect(model, &QAbstractItemModel::rowsRemoved, this, anyOtherChange);
}

void RoundsTable::RowsInserted(const QModelIndex& parent, int first, int last) {
    if (parent.isValid() || first != 0 || rowsOnTop_ < 0) {
        rowsOnTop_ = -1;
        return;
    }
    rowsOnTop_ += last - first + 1;
}

void RoundsTable::doItemsLayout() {
    const int inserted = std::exchange(rowsOnTop_, 0);
    if (inserted <= 0 || !isVisible()) {
        QTableView::doItemsLayout(); // every row in sight painted again
        return;
    }
    // The rows that were in sight keep their content, lower by the new rows (the scroll bar
    // keeps its place in pixels). Nothing else of the view changed but the scroll bar's length:
    // laying out the whole view would repaint both scroll bars every round.
    const int lastNew = inserted - 1;
    const int shift = rowViewportPosition(lastNew) + rowHeight(lastNew) - rowViewportPosition(0);
    viewport()->scroll(0, shift);
    const int rowsHeight = verticalHeader()->length();
    verticalScrollBar()->setRange(0, std::max(0, rowsHeight - viewport()->height()));
}

} // namespace corvanta
