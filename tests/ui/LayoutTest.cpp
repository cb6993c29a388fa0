// The main window as drawn: every caption, the places of a few controls of each area in
// pixels of its client area, the menus, and captions that fit their controls.
#include "WindowTesting.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace corvanta {
namespace {

using LayoutTest = test::GameTest;

TEST_F(LayoutTest, CaptionsPlacesAndMenusAreAsDesigned) {
    Start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Corvanta 1.0 alpha"));
    EXPECT_EQ(window->centralWidget()->size(), QSize(573, 329));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    test::ExpectCaptions(
        *window->centralWidget(),
        // The table.
        "lblLastHandC=Last Hand:@16,8,89,20 | lblLastHand=No Hand Played@112,8,297,25 | "
        "lblCurrentCash=$100@16,200,89,17 | lblBetAmountC=$ | cmdDeal=&Deal@16,160,89,25 | "
        "cmdAddBet=&Bet:@16,256,89,24 | txtBet=5@32,288,73,21 | Card1=@16,32,71,96 | "
        "Card5=@336,32,71,96 | lblDiscard1=DISCARD@16,136,73,17 | "
        "lblDiscard5=DISCARD@336,136,73,17 | imgShowDebug=@520,80,17,17 | "
        "cmdGameHelp=Game &Help | cmdOptions=&Game Options | cmdExit=E&xit Poker@432,296,129,25 | "
        // The bank.
        "fraBank=Bank@120,160,137,161 | lblAccountC=Account: | lblSavingsC=Savings: | "
        "lblCashAmount=$ | lblCurrentAccount=Default@176,176,81,17 | txtBank=0@144,216,105,19 | "
        "cmdWithdrawCash=&Withdraw@128,240,57,25 | cmdDeposit=De&posit@192,240,57,25 | "
        "cmdBankLoan=Get &Loan@128,240,121,25 | cmdChangeAccount=&Change Account | "
        "cmdEditAccount=&Edit Account@128,288,121,25 | "
        // The statistics.
        "fraStats=Statistics@264,160,153,161 | lblRoundsWonC=Rounds Won:@272,176,88,13 | "
        "lblRoundsWon=0@360,176,57,17 | lblRoundsLostC=Rounds Lost: | "
        "lblRoundsPlayedC=Rounds Played: | lblAmountWonC=Amount Won: | "
        "lblAmountLostC=Amount Lost: | lblAveGainsC=Average Gains:@272,264,80,13 | "
        "cmdClearStats=Clear &Statistics@272,288,137,25 | "
        // The payoffs.
        "lblPayoffsC=Payoffs@432,32,126,22 | lblRoyalFlushC=Royal Flush@432,64,96,17 | "
        "lblRFPayoffC=100x@528,64,33,17 | lblStraightFlushC=Straight Flush | lblSFPayOffC=50x | "
        "lbl5KindC=Five of a Kind | Label1=40x | lbl4KindC=Four of a Kind | Label2=25x | "
        "lblFullC=Full House | Label3=12x | lblFlushPayoff=Flush | Label4=8x | "
        "lblStraightC=Straight | Label5=5x | lbl3KindC=Three of a Kind | Label6=3x | "
        "lbl2PairC=Two Pair | Label7=2x | lblPairC=Pair@432,208,112,17 | Label8=x@544,208,17,17 | "
        // The menus.
        "mnuBet=Place &Bet@Ctrl+B | mnuDeal=&Deal@Ctrl+D | mnuAdvisor=Hold &Advisor@Ctrl+H | "
        "mnuTrainer=&Trainer Mode@Ctrl+T | mnuExit=E&xit@Ctrl+Y | mnuWithdraw=&Withdraw@Ctrl+W | "
        "mnuDeposit=De&posit@Ctrl+P | mnuChgAccount=Change &Account@Ctrl+A | mnuOptions=&Options@ "
        "| mnuHelp=&Help@");
    for (const auto& [menu, entries] :
         {std::pair{"mnuGame", "mnuBet mnuDeal mnuAdvisor mnuTrainer mnuSep1 mnuExit"},
          std::pair{"mnuBank", "mnuWithdraw mnuDeposit mnuSep2 mnuChgAccount"}}) {
        QStringList names;
        for (QAction* action : window->findChild<QMenu*>(QString::fromLatin1(menu))->actions()) {
            names << action->objectName();
        }
        EXPECT_EQ(names.join(QLatin1Char(' ')), QString::fromLatin1(entries));
    }
    // Every caption is drawn whole in the game's fonts, the longest hand name too.
    window->findChild<QLabel*>(QStringLiteral("lblLastHand"))
        ->setText(QStringLiteral("Not a Winning Hand"));
    for (QWidget* control : window->centralWidget()->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(control);
        auto* button = qobject_cast<QPushButton*>(control);
        QString caption = label ? label->text() : button ? button->text() : QString();
        const QFontMetrics metrics(control->font());
        EXPECT_LE(metrics.horizontalAdvance(caption.remove(QLatin1Char('&'))) + (button ? 6 : 0),
                  control->width())
            << control->objectName().toStdString();
    }
}

} // namespace
} // namespace corvanta
