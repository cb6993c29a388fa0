// The modeless windows the main window opens: frmDebug, the developer's console behind the
// invisible spot and its access code, and frmHelp.
#include "WindowTesting.h"

#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace corvanta {
namespace {

using test::Card;
using test::Record;
using OtherWindowsTest = test::GameTest;
using T = test::GameTest;

QWidget* Console() {
    return test::TopLevel("frmDebug");
}

TEST_F(OtherWindowsTest, TheConsoleOpensOnTheCodeShowsTheHandsAndEditsTheRecords) {
    Prepare(Record("A", 10) + Record("B", 150) + Record("C", 30));
    Start();
    const std::string prompt =
        "Corvanta - Debug Console: Please enter the debug code below: | unknown";
    Run({
        {"the spot asks for the code; a wrong or cancelled one opens nothing",
         [](T& t) {
             t.Answers({"Larkspurs", " larkspurs", "larkspurs ", "unknown", test::Cancel});
             for (int time = 0; time < 5; ++time) {
                 t.Click("imgShowDebug");
             }
             EXPECT_EQ(Console(), nullptr);
         },
         "", prompt + "\n" + prompt + "\n" + prompt + "\n" + prompt + "\n" + prompt},
        {"the code opens it on the current record",
         [](T& t) { t.Answers({"larkspurs"}), t.Click("imgShowDebug"); },
         "txtDebug= 1\\ 3 > $ 10 >>A<< | txtIndex= 1 | txtAccount=A | txtSavings= 10", prompt},
        {"closed, it is gone; a round loads it hidden and writes what the engine saw",
         [](T& t) {
             Console()->close();
             EXPECT_EQ(Console(), nullptr);
             t.BetAndDeal(test::HandOf({{2, 1}, {2, 3}, {7, 2}, {9, 4}, {13, 1}}));
             t.Draw();
             ASSERT_NE(Console(), nullptr);
             EXPECT_FALSE(Console()->isVisible());
         },
         "lblCV1=2 | lblCV3=7 | lblCV5=13 | lblCS2=3 | lblCS4=4 | lblWinHand=1 | lblMoney=95 | "
         "lblBet=5 | lblWon=5 | lblLNum=2, 1 | txtDebug= >> Checkflush: False >> CheckStraight: "
         "False >> CheckRF: False"},
        {"the code shows the loaded console as it is",
         [](T& t) {
             t.Answers({"larkspurs"}), t.Click("imgShowDebug");
             EXPECT_TRUE(Console()->isVisible());
             EXPECT_EQ(test::Look(*Console(), "lblAppPath"),
                       QString::fromStdString(t.files.program + "/gbank.db"));
         },
         "lblWinHand=1 | lblMoney=95", prompt},
        {"> shows the next record", [](T& t) { t.Click("cmdNextRec"); },
         "txtIndex= 2 | txtAccount=B                    | txtSavings=150"},
        {"Set As GCNum makes it the current account", [](T& t) { t.Click("cmdSetCurrRec"); },
         "lblCurrentAccount=B | lblSavings=150 | txtDebug= 2\\ 3 > $ 150 >>B<<", "", "",
         "\"Current Account\"=dword:00000002"},
        {"Save Changes stores the boxes",
         [](T& t) {
             t.Type("txtAccount", "Bea"), t.Type("txtSavings", " 12.9 "), t.Click("cmdSaveChanges");
         },
         "lblCurrentAccount=B", "", Record("A", 10, 1, 1) + Record("Bea", 12) + Record("C", 30)},
        {"< shows the previous record", [](T& t) { t.Click("cmdPrevRec"); },
         "txtIndex= 1 | txtAccount=A                    | txtSavings=10"},
        {"C shows the current record", [](T& t) { t.Click("cmdCurRec"); },
         "txtIndex= 2 | txtAccount=Bea | txtSavings= 12"},
        {"New Record", [](T& t) { t.Click("cmdNewRecord"); }, "txtIndex= 4", "",
         Record("A", 10, 1, 1) + Record("Bea", 12) + Record("C", 30) + std::string(46, '\0')},
        {"Delete Record", [](T& t) { t.Click("cmdDelRecord"); }, "txtIndex= 4 | txtAccount=C", "",
         Record("A", 10, 1, 1) + Record("Bea", 12) + Record("C", 30)},
        {"the game's end closes it",
         [](T& t) {
             t.window->close();
             EXPECT_EQ(Console(), nullptr);
         }},
    });
}

// frmHelp: opened by its button and its menu entry, what its three tabs say and where, and
// every way of closing it.
TEST_F(OtherWindowsTest, HelpOpensOnceShowsItsTextsAndCloses) {
    Start();
    Click("cmdGameHelp");
    Click("mnuHelp");
    QWidget* help = test::TopLevel("frmHelp");
    ASSERT_NE(help, nullptr);
    auto* tabs = help->findChild<QTabWidget*>();
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Game Help"));
    EXPECT_EQ(help->size(), QSize(474, 312));
    EXPECT_EQ(tabs->geometry(), QRect(8, 8, 457, 265));
    EXPECT_EQ(help->findChild<QWidget*>(QStringLiteral("cmdClose"))->geometry(),
              QRect(352, 280, 113, 25));
    QStringList captions;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        captions << tabs->tabText(tab);
    }
    EXPECT_EQ(captions.join(QLatin1Char('|')),
              QStringLiteral("How To Play|Bank Accounts|Miscellaneous"));
    test::ExpectCaptions(
        *tabs,
        "lblHTP_0=1) To begin the round, enter a starting bet of at least $5, then click "
        "<Bet>.@16,32,424,13 | lblHTP_1=2) Click the <Deal> button once to receive your cards. "
        "Once you "
        "have received your cards, you will no longer be allowed to place bets. | lblHTP_2=3) "
        "Click on the cards you wish to discard. Their colors will be inverted, and the word "
        "\"DISCARD\" will appear below each of them. | lblHTP_3=4) Click on <Deal> again to "
        "receive your new cards and end the round. | lblHTP_4=5) Your winnings will "
        "automatically be added to your cash. | lblHTP_5=Cash on Hand is displayed in yellow "
        "below the <Deal> button. | lblHTP_6=The Amount Bet is displayed in green above the "
        "<Bet> button. | lblHTP_7=yellow@187,160,36,13 | lblHTP_8=green@198,176,32,13 | lblBA_0=To "
        "access an existing "
        "account or to create a new account: | lblBA_5=Click on <Change Account>. Enter the "
        "name of the account you wish to access or create. The game will then access the "
        "account if it already exists, or create a new account if it does not. | lblBA_2=To "
        "edit an account: | lblBA_6=Click on <Edit Account>. The game will display a form "
        "that will allow you to change the name and password of the account. Press <Save "
        "Changes> to save the changes and return to the game. (Setting the password will not "
        "affect gameplay as the feature has not yet been implemented.)@24,104,421,53 | lblBA_1=To "
        "deposit "
        "or withdraw money from an account: | lblBA_7=Enter the amount you wish to deposit or "
        "withdraw into the text box above the <Deposit> and <Withdraw> buttons, then click on "
        "the action you wish to perform. | lblBA_4=What happens when an account goes "
        "bankrupt? | lblBA_8=Nothing. If you go bankrupt, the bank will provide you a $50 "
        "loan to keep playing. You can receive this loan as many time as you need, and do not "
        "need to repay it. | lblMisc_0=To change the card back: | lblMisc_3=1) Click on "
        "<Options> or select 'Options' from the menu. | lblMisc_4=2) Click on the image you "
        "want to use as the new back face. It will be highlighted. | lblMisc_5=3) Close the "
        "Options window to continue playing with the new back face. | lblMisc_1=Keeping track "
        "of the statistics: | lblMisc_2=The game records the number of rounds played, rounds "
        "won, rounds lost, the amount won, the amount lost, and calculates the average gains "
        "of each round. | lblMisc_6=The Average Gains of each round is calculated by "
        "detracting the Amount Lost from the Amount Won, then dividing the result by the "
        "total number of rounds played. | lblMisc_7=The Amount Won only includes the sum of "
        "winnings above the amounts bet. Because of this, winnings from a single pair are not "
        "included. | lblMisc_8=To clear your statistics, click on the <Clear Statistics> "
        "button. This action cannot be undone.@24,216,420,29");
    // The two colour words lie on their sentence's plain word, in their colours.
    EXPECT_EQ(help->findChild<QWidget*>(QStringLiteral("lblHTP_7"))
                  ->palette()
                  .color(QPalette::WindowText),
              QColor(192, 192, 0));
    EXPECT_EQ(help->findChild<QWidget*>(QStringLiteral("lblHTP_8"))
                  ->palette()
                  .color(QPalette::WindowText),
              QColor(0, 255, 0));
    // Every way of closing it; each time it opens again on its first tab.
    for (const char* way : {"Esc", "Return", "Close", "the close box", "the game's end"}) {
        SCOPED_TRACE(way);
        const std::string closing = way;
        if (closing == "Esc" || closing == "Return") {
            QTest::keyClick(tabs->tabBar(), closing == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
        } else if (closing == "Close") {
            QTest::mouseClick(help->findChild<QWidget*>(QStringLiteral("cmdClose")),
                              Qt::LeftButton);
        } else {
            closing == "the close box" ? help->close() : window->close();
        }
        EXPECT_EQ(test::TopLevel("frmHelp"), nullptr);
        if (closing != "the game's end") {
            Click("cmdGameHelp");
            help = test::TopLevel("frmHelp");
            ASSERT_NE(help, nullptr);
            tabs = help->findChild<QTabWidget*>();
            EXPECT_EQ(tabs->currentIndex(), 0);
            tabs->setCurrentIndex(2);
        }
    }
}

} // namespace
} // namespace corvanta
