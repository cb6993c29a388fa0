#pragma once
// frmAdvisor, the hold advisor: while five cards wait for the draw, the best holds of the game
// being played ranked by their exact expected payback; the game's return under perfect play
// and when standing pat; and this session's counts. It only reads the table: marking the best
// hold is asked of the game model, which decides whether and which cards to mark.
//
// It opens beside the table (or where the player left it, when that is still on a screen),
// can be resized to any size, its lists, tables and chart shrinking and the whole scrolling
// below its smallest size, and takes its colours from the palette.

#include "engine/Advisor.h"
#include "settings/Settings.h"

#include <QDialog>

#include <array>
#include <optional>

class QKeyEvent;
class QPushButton;
class QTimer;

namespace corvanta {

class LineLabel;
class GameModel;
class ReturnTableView;
class SessionView;
struct Game;

class AdvisorWindow : public QDialog {
    Q_OBJECT
public:
    // Follows the game model, which outlives this window (the main window closes it at the
    // game's end). Modeless, with no owner; closing it deletes it.
    explicit AdvisorWindow(GameModel& model);

    // Where it opens: where the player left it when that is wholly on a screen, else beside
    // the table's frame. Before it is shown.
    void PlaceBeside(const QWidget& table);

    // Shows the table and the session as they are now.
    void Refresh();

    // How many holds the list shows.
    static constexpr int ListedHolds = 5;

signals:
    // Mark Best Hold was pressed.
    void markBestHoldRequested();
    // Enter was pressed where no button has the focus: the game's Deal.
    void dealRequested();
    // The player moved or resized the window: its frame's place and its size.
    void placeChanged(const corvanta::WindowPlace& place);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* BuildHolds(QWidget* parent);
    void TellPlace();
    void FollowGame(const Game& game);
    void ShowFigures();
    void ShowHolds();
    void ShowRanking(const FiveCards& hand);
    void ShowSession();

    GameModel& model_;                    // read, but for the folder its list was saved to
    const Game* game_;                    // the game advised
    std::optional<FiveCards> rankedHand_; // the hand `ranking_` belongs to
    HoldRanking ranking_{};

    LineLabel* lblTitle_ = nullptr;
    std::array<LineLabel*, ListedHolds> lblRank_{};
    std::array<LineLabel*, ListedHolds> lblHold_{};
    LineLabel* lblYourMarks_ = nullptr;
    QPushButton* cmdMarkBest_ = nullptr;
    LineLabel* lblFiguresHeading_ = nullptr;
    LineLabel* lblFigures_ = nullptr;
    QTimer* analysisTimer_ = nullptr;
    QSize decoration_; // what the desktop adds around the window: the table's frame less it
    SessionView* session_ = nullptr;
    ReturnTableView* returns_ = nullptr;
};

} // namespace corvanta
