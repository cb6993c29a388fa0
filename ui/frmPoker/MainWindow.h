#pragma once
// frmPoker, the main window: the card table, the bank and statistics panels, the payoff
// table and the menus. Loading it starts the game; closing it saves and ends the game.

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvanta {

struct AdvisorSession;
struct Game;
struct AccountDisplay;
struct MoneyCaptions;
struct TransferOutcome;
class AdvisorWindow;
class CardPicture;
class DebugConsole;
class HelpWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Game& game, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The shutdown sequence: release the cards, save the bank, save the settings, close
    // the other windows. Runs once, whichever way the game ends.
    void Shutdown();

    // The debug console if it is loaded (shown or hidden).
    DebugConsole* DebugConsoleWindow() const;
    HelpWindow* HelpWindowShown() const;
    AdvisorWindow* AdvisorWindowShown() const;

signals:
    // The table changed: a bet, a deal, a draw, a mark, or the cash. The hold advisor follows it.
    void tableChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void ConnectCommands();
    void Load();

    // The round (MainWindow.cpp).
    void Bet(const QString& amountText);
    void DealCommand();
    void ToggleDiscard(int slot);
    void SetRoundControls();

    // The bank (BankCommands.cpp).
    void ChangeAccount();
    void Deposit(const QString& amountText);
    void Withdraw(const QString& amountText, bool fromPrompt);
    void ShowTransfer(const TransferOutcome& outcome);
    void TakeLoan();
    void ClearStatistics();
    void EditAccount();
    void ShowAccount(const AccountDisplay& display);
    void ShowStatistics(const AccountDisplay& display);
    void ShowMoney(const MoneyCaptions& captions);

    // The other windows.
    void OpenDebugConsole();
    DebugConsole& LoadedDebugConsole();
    void OpenAdvisor();

    void ReportSaveFailure(const std::string& what, const std::string& path,
                           const std::string& reason);

    Game& game_;
    bool shutDown_ = false;
    QPointer<DebugConsole> debug_;
    QPointer<HelpWindow> help_;
    QPointer<AdvisorWindow> advisor_;
    // This session's rounds, kept when the advisor closes.
    std::unique_ptr<AdvisorSession> advisorSession_;

    std::array<CardPicture*, 5> cards_{};
    std::array<QLabel*, 5> discardLabels_{};
    QLabel* lblLastHand_ = nullptr;
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
    QPushButton* cmdDeal_ = nullptr;
    QPushButton* cmdAddBet_ = nullptr;
    QPushButton* cmdBankLoan_ = nullptr;
    QAction* mnuBet_ = nullptr;
    QAction* mnuDeal_ = nullptr;
};

} // namespace corvanta
