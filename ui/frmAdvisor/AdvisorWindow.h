#pragma once
// frmAdvisor, the hold advisor: while five cards wait for the draw, the best holds ranked by
// their exact expected payback; the game's return under perfect play and when standing pat;
// and this session's counts. It only reads the table: marking the best hold is asked of the
// game model, which decides whether and which cards to mark.

#include "engine/Advisor.h"

#include <QDialog>

#include <array>
#include <optional>

class QKeyEvent;
class QLabel;
class QPushButton;
class QTimer;

namespace corvanta {

class GameModel;
class ReturnTableView;
class SessionView;

class AdvisorWindow : public QDialog {
    Q_OBJECT
public:
    // Follows the game model, which outlives this window (the main window closes it at the
    // game's end). Modeless, with no owner; closing it deletes it.
    explicit AdvisorWindow(const GameModel& model);

    // Shows the table and the session as they are now.
    void Refresh();

    // How many holds the list shows.
    static constexpr int ListedHolds = 5;

signals:
    // Mark Best Hold was pressed.
    void markBestHoldRequested();
    // Enter was pressed where no button has the focus: the game's Deal.
    void dealRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildHolds();
    void ShowFigures();
    void ShowHolds();
    void ShowSession();

    const GameModel& model_;
    std::optional<FiveCards> rankedHand_; // the hand `ranking_` belongs to
    HoldRanking ranking_{};

    QLabel* lblTitle_ = nullptr;
    std::array<QLabel*, ListedHolds> lblRank_{};
    std::array<QLabel*, ListedHolds> lblHold_{};
    QLabel* lblYourMarks_ = nullptr;
    QPushButton* cmdMarkBest_ = nullptr;
    QLabel* lblFigures_ = nullptr;
    QTimer* figuresTimer_ = nullptr;
    SessionView* session_ = nullptr;
    ReturnTableView* returns_ = nullptr;
};

} // namespace corvanta
