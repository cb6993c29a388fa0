#pragma once
// The session's rounds as the advisor's list shows them, newest first: a model that grows by
// one row a round, so a long session costs the list no more per round than a short one.

#include <QAbstractTableModel>

namespace corvanta {

class TrainingSession;

class RoundsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    RoundsModel(const TrainingSession& session, QObject* parent);

    // The rounds recorded since the last call become the first rows.
    void Follow();

    enum Column {
        RoundColumn,
        GameColumn,
        DealtColumn,
        DiscardedColumn,
        BestColumn,
        GivenUpColumn
    };
    static constexpr int ColumnCount = GivenUpColumn + 1;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const TrainingSession& session_;
    int shown_ = 0; // the rounds the rows show
};

} // namespace corvanta
