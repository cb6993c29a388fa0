#pragma once
// The advisor window's account of this session: the counts and grades, every round (newest
// first) that the player can save as a CSV file, and the bankroll after each round.

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace corvanta {

class BankrollChart;
class TrainingSession;

class SessionView : public QWidget {
    Q_OBJECT
public:
    SessionView(const TrainingSession& session, QWidget* parent);

    void Refresh();

    static constexpr int Width = 8820;  // twips
    static constexpr int Height = 6840; // twips

private:
    void ShowRounds();
    void SaveList();

    const TrainingSession& session_;
    QLabel* lblRoundsAdvised_ = nullptr;
    QLabel* lblRoundsBest_ = nullptr;
    QLabel* lblGrades_ = nullptr;
    QLabel* lblGivenUp_ = nullptr;
    QTableWidget* tblRounds_ = nullptr;
    QPushButton* cmdSaveList_ = nullptr;
    BankrollChart* picBankroll_ = nullptr;
};

} // namespace corvanta
