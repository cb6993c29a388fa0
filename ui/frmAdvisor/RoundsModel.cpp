#include "ui/frmAdvisor/RoundsModel.h"

#include "engine/Trainer.h"
#include "ui/Dialogs.h"
#include "ui/frmAdvisor/SessionRounds.h"

namespace corvanta {

RoundsModel::RoundsModel(const TrainingSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {
    Follow();
}

void RoundsModel::Follow() {
    const int recorded = session_.RoundsAdvised();
    if (recorded == shown_) {
        return;
    }
    if (recorded < shown_) { // a session started again: nothing of the old rows holds
        beginResetModel();
        shown_ = recorded;
        endResetModel();
        return;
    }
    beginInsertRows({}, 0, recorded - shown_ - 1);
    shown_ = recorded;
    endInsertRows();
}

int RoundsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

int RoundsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RoundsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= shown_) {
        return {};
    }
    const int number = shown_ - index.row(); // newest first
    const TrainedRound& round = session_.Rounds()[static_cast<std::size_t>(number - 1)];
    switch (index.column()) {
    case RoundColumn:
        return QString::number(number);
    case GameColumn:
        return ToQString(round.game->title);
    case DealtColumn:
        return ShortCards(round.dealt);
    case DiscardedColumn:
        return ShortCards(round.dealt, AllKept & ~KeptBy(round.discards));
    case BestColumn:
        return ToQString(HoldText(round.dealt, round.bestHold));
    default:
        return round.mistake == Mistake::None
                   ? QStringLiteral("—")
                   : QStringLiteral("$%1").arg(round.DollarsGivenUp(), 0, 'f', 2);
    }
}

QVariant RoundsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    static const char* const headings[ColumnCount] = {"Round",     "Game",      "Dealt",
                                                      "Discarded", "Best hold", "Given up"};
    return QString::fromLatin1(headings[section]);
}

} // namespace corvanta
