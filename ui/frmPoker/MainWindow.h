#pragma once
// frmPoker, the main window: the card table, the bank and statistics panels, the payoff
// table and the menus. Loading it starts the game; closing it saves and ends the game. It
// presents what the game model announces and hands the player's commands to the model.

#include "game/GameSession.h"
#include "ui/frmPoker/Layout.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace corvanta {

class AdvisorWindow;
class CardDrawing;
class CardPicture;
class DebugConsole;
class GameModel;
class HelpWindow;
class ScaledTable;
struct DealReport;
struct Notice;

// The card drawing library as the game's start-up opens it and its shutdown closes it; it
// keeps the size of one card image that opening reports.
class CardDrawingLibrary final : public CardLibrary {
public:
    explicit CardDrawingLibrary(CardDrawing& cards) : cards_(cards) {}
    void Open() override;
    void Close() override;
    int CardWidth() const { return width_; }
    int CardHeight() const { return height_; }

private:
    CardDrawing& cards_;
    int width_ = 0;
    int height_ = 0;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(GameModel& model, CardDrawing& cards, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The shutdown sequence: release the cards, save the bank and the settings, close the
    // other windows. Runs once, whichever way the game ends.
    void ShutDown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The player moving or sizing the window: its place is saved with the next save point.
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls, from the layout tables (MainWindowControls.cpp).
    struct Areas {
        QWidget* window;
        QWidget* bank;
        QWidget* stats;
        QWidget* Of(layout::Area area) const;
    };
    void BuildControls();
    void BuildLabels(const Areas& areas);
    void BuildButtons(const Areas& areas);
    void BuildTable(const Areas& areas);
    void BuildMenus();
    void BuildGameMenu(QMenu* menu);
    // The payoff table on the table: the game's paying hands and what they pay.
    void ShowPayoffs(const Game& game);
    // The game played: its entry checked in the Game menu, and its payoff table.
    void ShowGame(const Game& game);
    void SetTabOrder();

    // The window's place: the one the settings remember where it fits on a screen that is
    // there, else the default one; and the place to remember, as the player moves or sizes
    // the window and at the end.
    void RestorePlace();
    void KeepPlace();
    void KeepPlaceWhileShown();

    void ConnectModel();
    void ConnectCommands();
    void Load();
    void ShowNotice(const Notice& notice);
    void ShowStatistics(const AccountStatistics& statistics);
    // Deal, Enter and Ctrl+D: with the trainer on, a draw that gives up return is asked first.
    void Deal();
    // Where the trainer's question goes: clear of the cards it speaks of.
    QPoint TrainerBoxPlace(QSize size) const;
    // Enter where no button has the focus, here or in the advisor: Deal while it is enabled.
    bool PressDeal();
    // Runs `change`, which enables, disables or hides commands. Qt hands the focus of a control
    // it disables to the next one in the tab order, which may be any command (Bet's goes to
    // Clear Statistics), so that a stray Enter would run it; the focus goes to Deal instead, or
    // to a card, or else to the table, where Enter does nothing while Deal is disabled.
    void ChangeCommands(const std::function<void()>& change);
    QString Ask(std::string_view title, std::string_view prompt);

    // The other windows.
    void OpenOptions();
    void OpenDebugConsole();
    DebugConsole& LoadedDebugConsole();
    void OpenAdvisor();

    GameModel& model_;
    CardDrawing& cards_;
    CardDrawingLibrary library_;
    bool shutDown_ = false;
    bool tableShown_ = false; // see paintEvent
    QPointer<DebugConsole> debug_;
    QPointer<HelpWindow> help_;
    QPointer<AdvisorWindow> advisor_;
    ScaledTable* table_ = nullptr; // the table's controls at the window's size
    QRect defaultPlace_;           // the frame's corner and the size the window starts with

    std::array<CardPicture*, 5> cardPictures_{};
    std::array<QLabel*, 5> discardLabels_{};
    QLabel* lblLastHand_ = nullptr;
    std::vector<QLabel*> payoffLabels_;
    const Game* payoffsShown_ = nullptr; // the game the payoff table lists
    QLabel* lblCurrentCash_ = nullptr;
    QLabel* lblBetAmount_ = nullptr;
    QLabel* lblCurrentAccount_ = nullptr;
    QLabel* lblSavings_ = nullptr;
    QLabel* lblRoundsWon_ = nullptr;
    QLabel* lblRoundsLost_ = nullptr;
    QLabel* lblRoundsPlayed_ = nullptr;
    QLabel* lblAmountWon_ = nullptr;
    QLabel* lblAmountLost_ = nullptr;
    QLabel* lblAveGains_ = nullptr;
    QLineEdit* txtBet_ = nullptr;
    QLineEdit* txtBank_ = nullptr;
    QWidget* imgShowDebug_ = nullptr;
    QPushButton* cmdDeal_ = nullptr;
    QPushButton* cmdAddBet_ = nullptr;
    QPushButton* cmdWithdrawCash_ = nullptr;
    QPushButton* cmdDeposit_ = nullptr;
    QPushButton* cmdBankLoan_ = nullptr;
    QPushButton* cmdChangeAccount_ = nullptr;
    QPushButton* cmdEditAccount_ = nullptr;
    QPushButton* cmdClearStats_ = nullptr;
    QPushButton* cmdGameHelp_ = nullptr;
    QPushButton* cmdOptions_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QAction* mnuBet_ = nullptr;
    QAction* mnuDeal_ = nullptr;
    QAction* mnuAdvisor_ = nullptr;
    QAction* mnuTrainer_ = nullptr;
    QActionGroup* mnuGames_ = nullptr; // one checkable entry a game, its index in AllGames
    QAction* mnuExit_ = nullptr;
    QAction* mnuWithdraw_ = nullptr;
    QAction* mnuDeposit_ = nullptr;
    QAction* mnuChgAccount_ = nullptr;
    QAction* mnuOptions_ = nullptr;
    QAction* mnuHelp_ = nullptr;
    QAction* mnuAbout_ = nullptr;
};

} // namespace corvanta
