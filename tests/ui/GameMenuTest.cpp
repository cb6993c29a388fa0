// The Game menu's games: chosen between rounds, the payoff table and the last hand shown by
// the chosen game, and the choice saved and played again at the next start.
#include "WindowTesting.h"

#include <QLabel>
#include <QTest>
#include <QWidget>

namespace corvanta {
namespace {

using test::Record;
using test::TestGame;
using GameMenuTest = test::GameTest;

TEST_F(GameMenuTest, AGameChosenBetweenRoundsPlaysAndIsRemembered) {
    Prepare(Record("Default", 100));
    Start();
    Run({
        {"the start: the classic", "",
         "mnuClassic=Classic (checked) | mnuJacksOrBetter=Jacks or Better 9/6 | "
         "mnuBonusPoker=Bonus Poker 8/5 | mnuDeucesWild=Deuces Wild | "
         "lblRoyalFlushC=Royal Flush | lblRFPayoffC=100x | lblPairC=Pair | Label8=x | "
         "lblPayoff11C=<none>"},
        {"Jacks or Better chosen", "click mnuJacksOrBetter",
         "mnuJacksOrBetter=Jacks or Better 9/6 (checked) | mnuClassic=Classic | "
         "lblRoyalFlushC=Royal Flush@432,64,96,17 | lblRFPayoffC=800x@528,64,33,17 | "
         "lblStraightFlushC=Straight Flush | lblSFPayOffC=50x | lbl5KindC=Four of a Kind | "
         "Label1=25x | lbl4KindC=Full House | Label2=9x@544,112,17,17 | lblFullC=Flush | "
         "Label3=6x | lblFlushPayoff=Straight | Label4=4x | lblStraightC=Three of a Kind | "
         "Label5=3x | lbl3KindC=Two Pair | Label6=2x | lbl2PairC=Jacks or Better@432,192,112,17 | "
         "Label7=x | lblPairC=<none> | Label8=<none> | lblLastHand=No Hand Played",
         "", "", "\"Game\"=\"jacks-or-better\""},
        {"no game is chosen while the cards wait for the draw",
         "bet 10; deal AH 9H 6H 4H 2H; click mnuDeucesWild",
         "mnuJacksOrBetter=Jacks or Better 9/6 (off) | mnuDeucesWild=Deuces Wild (off) | "
         "lblRFPayoffC=800x | lblCurrentCash=$90",
         "", "", "\"Game\"=\"jacks-or-better\""},
        {"a flush pays 6 in Jacks or Better", "click cmdDeal",
         "lblLastHand=Flush | lblCurrentCash=$150 | lblAmountWon=$50 | lblRoundsWon=1 | "
         "mnuJacksOrBetter=Jacks or Better 9/6 (checked) | mnuDeucesWild=Deuces Wild"},
        {"a pair of tens pays nothing", "bet 10; deal TH TD 4C 7S 9D; click cmdDeal",
         "lblLastHand=Not a Winning Hand | lblCurrentCash=$140 | lblRoundsLost=1"},
        {"Bonus Poker: eleven rows, higher and closer together", "click mnuBonusPoker",
         "lblRoyalFlushC=Royal Flush@432,60,96,17 | lblRFPayoffC=800x | "
         "lblStraightFlushC=Four Aces@432,75,104,17 | lblSFPayOffC=80x | "
         "lbl5KindC=Straight Flush | lbl4KindC=Four 2s-4s | Label2=40x | lblFullC=Four 5s-Ks | "
         "Label3=25x | lblFlushPayoff=Full House | Label4=8x | lblStraightC=Flush | Label5=5x | "
         "lblPayoff11C=Jacks or Better@432,210,112,17 | lblPayoff11=x@544,210,17,17",
         "", "", "\"Game\"=\"bonus-poker\""},
        {"Deuces Wild: a deuce completes a royal",
         "click mnuDeucesWild; bet 10; "
         "deal 2C KH QH JH 9S; click Card5; deal AH",
         "lblLastHand=Wild Royal Flush | lblCurrentCash=$380 | "
         "lblRoyalFlushC=Natural Royal@432,64,96,17 | lblRFPayoffC=800x | "
         "lblStraightFlushC=Four Deuces | lblSFPayOffC=200x@528,80,33,17 | "
         "lbl5KindC=Wild Royal | Label1=25x | lbl2PairC=Straight | lblPairC=Three of a Kind | "
         "Label8=x | lblPayoff11C=<none>",
         "", "", "\"Game\"=\"deuces-wild\""},
        {"the game is played again at the next start", "restart",
         "mnuDeucesWild=Deuces Wild (checked) | mnuClassic=Classic | lblCurrentCash=$380 | "
         "lblRoyalFlushC=Natural Royal | lblLastHand=No Hand Played"},
        {"back to the classic", "click mnuClassic",
         "mnuClassic=Classic (checked) | lblRoyalFlushC=Royal Flush | lblRFPayoffC=100x | "
         "lbl5KindC=Five of a Kind | Label1=40x | lblPairC=Pair | Label8=x",
         "", "", "\"Game\"=\"classic\""},
    });
}

// The chosen game's analysis takes a core for seconds: it starts once the table is first on the
// screen, not before, so the start-up has both cores; a game chosen later starts its own at once.
TEST_F(GameMenuTest, AGamesAnalysisStartsOnceTheTableIsShownAndAtEachChoice) {
    Prepare(Record("Default", 100));
    game = std::make_unique<TestGame>(files.Folders());
    window = std::make_unique<MainWindow>(game->model, game->cards);
    EXPECT_FALSE(game->model.AnalysisStarted(Classic)) << "started before the first frame";
    window->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return game->model.AnalysisStarted(Classic); }, 5000))
        << "never started once the table showed";
    EXPECT_FALSE(game->model.AnalysisStarted(JacksOrBetter));
    Do("click mnuJacksOrBetter");
    EXPECT_TRUE(game->model.AnalysisStarted(JacksOrBetter));
}

// Every game's payoff table fits the table: each caption drawn whole in its label, and the
// last row above Game Help.
TEST_F(GameMenuTest, EveryGamesPayoffTableFits) {
    Prepare(Record("Default", 100));
    Start();
    const int helpTop = qobject_cast<QWidget*>(test::Find(*window, "cmdGameHelp"))->y();
    for (const char* entry : {"mnuClassic", "mnuJacksOrBetter", "mnuBonusPoker", "mnuDeucesWild"}) {
        Do((std::string("click ") + entry).c_str());
        int rows = 0;
        for (QLabel* label : window->centralWidget()->findChildren<QLabel*>()) {
            if (label->x() < 432 || label->y() < 64 || label->y() > helpTop) {
                continue; // not the payoff table's
            }
            ++rows;
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << entry << ": " << label->text().toStdString();
            EXPECT_LE(label->y() + label->height(), helpTop) << entry;
        }
        EXPECT_GE(rows, 18) << entry;
    }
}

} // namespace
} // namespace corvanta
