#pragma once
// "The game under perfect play", and the same for standing pat: every hand of the game, its
// pay, the probability of ending a round with it and its share of the return, and the return
// itself, exact to ten decimals. While the game's table is being computed, a busy bar says so.

#include <QWidget>

class QLabel;
class QProgressBar;
class QTableWidget;

namespace corvanta {

struct Game;
struct GameReturnTable;

class ReturnTableView : public QWidget {
    Q_OBJECT
public:
    explicit ReturnTableView(QWidget* parent);

    // The tables of `game` are being computed: they are emptied and the busy bar shows.
    void Computing(const Game& game);
    void Fill(const GameReturnTable& table);

private:
    QProgressBar* barComputing_ = nullptr;
    QLabel* lblPerfectPlay_ = nullptr;
    QLabel* lblStandPat_ = nullptr;
    QTableWidget* tblPerfectPlay_ = nullptr;
    QTableWidget* tblStandPat_ = nullptr;
};

} // namespace corvanta
