#pragma once
// The advisor window's account of this session: the counts and grades, every round (newest
// first) that the player can save as a CSV file, and the bankroll after each round. The list
// and the chart take each new round as it comes.

#include <QString>
#include <QWidget>

class QPushButton;

namespace corvanta {

class LineLabel;
class BankrollChart;
class GameModel;
class RoundsModel;
class RoundsTable;
class TrainingSession;

class SessionView : public QWidget {
    Q_OBJECT
public:
    // The model's session; the model also remembers where the list was saved.
    SessionView(GameModel& model, QWidget* parent);

    void Refresh();

    // Where Save List as CSV starts: the folder of the last list saved in this run, else the
    // documents folder.
    QString SaveFolder() const;

private:
    void SaveList();

    GameModel& model_;
    const TrainingSession& session_;
    LineLabel* lblRoundsAdvised_ = nullptr;
    LineLabel* lblRoundsBest_ = nullptr;
    LineLabel* lblGrades_ = nullptr;
    LineLabel* lblGivenUp_ = nullptr;
    RoundsModel* rounds_ = nullptr;
    RoundsTable* tblRounds_ = nullptr;
    QPushButton* cmdSaveList_ = nullptr;
    BankrollChart* picBankroll_ = nullptr;
};

} // namespace corvanta
