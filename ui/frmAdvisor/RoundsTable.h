#pragma once
// The advisor's list of the session's rounds, newest first. A new round takes the top row
// while the older rows, unchanged, move down one: the rows in sight are moved on the screen as
// they are and only what comes into sight is painted, so a round costs the list one row's
// painting however tall the window is.

#include <QTableView>

namespace corvanta {

class RoundsModel;

class RoundsTable : public QTableView {
    Q_OBJECT
public:
    RoundsTable(RoundsModel* model, QWidget* parent);

    void doItemsLayout() override;

private:
    void RowsInserted(const QModelIndex& parent, int first, int last);

    int rowsOnTop_ = 0; // rows inserted above the others since the last layout, and nothing else
};

} // namespace corvanta
