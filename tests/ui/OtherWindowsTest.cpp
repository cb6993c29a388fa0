// The modeless windows the main window opens: frmDebug, the developer's console behind the
// invisible spot and its access code, and frmHelp.
#include "WindowTesting.h"

#include <QAction>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

namespace corvanta {
namespace {

using test::Card;
using test::Record;
using OtherWindowsTest = test::GameTest;
using T = test::GameTest;

TEST_F(OtherWindowsTest, TheConsoleOpensOnTheCodeShowsTheHandsAndEditsTheRecords) {
    Prepare(Record("A", 10) + Record("B", 150) + Record("C", 30));
    Start();
    const std::string prompt =
        "Corvanta - Debug Console: Please enter the debug code below: | unknown";
    const std::string code = "answer larkspurs; click imgShowDebug";
    const std::string records = Record("A", 10, 1, 1) + Record("Bea", 12) + Record("C", 30);
    Run({
        {"the spot asks for the code; a wrong or cancelled one opens nothing",
         "answer Larkspurs; answer  larkspurs; answer larkspurs ; answer unknown; answer <Cancel>; "
         "click imgShowDebug imgShowDebug imgShowDebug imgShowDebug imgShowDebug",
         "frmDebug=<none>", prompt + "\n" + prompt + "\n" + prompt + "\n" + prompt + "\n" + prompt},
        {"the code opens it on the current record", code.c_str(),
         "frmDebug=Debug Console | txtDebug= 1\\ 3 > $ 10 >>A<< | txtIndex= 1 | txtAccount=A | "
         "txtSavings= 10 | lblAppPath=" +
             files.program + "/gbank.db",
         prompt},
        // 2 2 7 9 K less 1 each (one below the lowest) add up to 1 + 1 + 6 + 8 + 12 = 28.
        {"closed, it is gone; a round loads it hidden and writes what the engine saw",
         "close frmDebug; expect frmDebug=<none>; bet 5; deal 2C 2H 7D 9S KC; click cmdDeal",
         "frmDebug=hidden | lblCV1=2 | lblCV3=7 | lblCV5=13 | lblCS2=3 | lblCS4=4 | lblWinHand=1 | "
         "lblMoney=95 | lblBet=5 | lblWon=5 | lblLNum=2, 1 | lblFAdd=28 | txtDebug= >> Checkflush: "
         "False >> "
         "CheckStraight: False >> CheckRF: False"},
        {"the code shows the loaded console as it is", code.c_str(),
         "frmDebug=Debug Console | lblWinHand=1 | lblMoney=95", prompt},
        {"> shows the next record", "click cmdNextRec",
         "txtIndex= 2 | txtAccount=B                    | txtSavings=150"},
        {"Set As GCNum makes it the current account", "click cmdSetCurrRec",
         "lblCurrentAccount=B | lblSavings=150 | txtDebug= 2\\ 3 > $ 150 >>B<<", "", "",
         "\"Current Account\"=dword:00000002"},
        {"Save Changes stores the boxes; the main window shows the current account as saved",
         "type txtAccount Bea; type txtSavings  12.9 ; click cmdSaveChanges",
         "lblCurrentAccount=Bea | lblSavings=$12", "", records},
        {"< shows the previous record, C the current one",
         "click cmdPrevRec; expect txtIndex= 1 | txtAccount=A                    | txtSavings=10; "
         "click cmdCurRec",
         "txtIndex= 2 | txtAccount=Bea | txtSavings= 12"},
        {"New Record", "click cmdNewRecord", "txtIndex= 4", "", records + std::string(46, '\0')},
        {"Delete Record", "click cmdDelRecord", "txtIndex= 4 | txtAccount=C", "", records},
        {"the game's end closes it", "click cmdExit", "frmDebug=<none>"},
    });
}

// frmHelp: opened by its button and its menu entry, what its three tabs say and where, and
// every way of closing it.
TEST_F(OtherWindowsTest, HelpOpensOnceShowsItsTextsAndCloses) {
    Start();
    Do("click cmdGameHelp mnuGameHelp");
    QWidget* help = test::TopLevel("frmHelp"); // the only one
    ASSERT_NE(help, nullptr);
    auto* tabs = help->findChild<QTabWidget*>();
    EXPECT_EQ(tabs->tabText(0) + u'|' + tabs->tabText(1) + u'|' + tabs->tabText(2),
              QStringLiteral("How To Play|Bank Accounts|Miscellaneous"));
    EXPECT_EQ(help->size(), QSize(474, 312));
    // A text of each tab, and the two colour words on their sentences' plain words.
    test::ExpectLooks(
        *help,
        QString::fromUtf8(
            "frmHelp=Game Help | tabHelp=@8,8,457,265 | cmdClose=Close@352,280,113,25 | "
            "lblHTP_0=1) To begin the round, enter a starting bet of at least $5, then click "
            "<Bet>.@24,40,424,13 | lblHTP_5=Cash on Hand is displayed in yellow below the <Deal> "
            "button. | lblHTP_7=yellow@195,168,36,13 | lblHTP_6=The Amount Bet is displayed in "
            "green above the <Bet> button. | lblHTP_8=green@206,184,32,13 | lblBA_6=Click on <Edit "
            "Account>. The game will display a form that will allow you to change the name and "
            "password of the account. Press <Save Changes> to save the changes and return to the "
            "game. (Setting the password will not affect gameplay as the feature has not yet been "
            "implemented.)@32,112,421,53 | lblMisc_8=To clear your statistics, click on the <Clear "
            "Statistics> button. This action cannot be undone.@32,224,420,29"));
    for (const auto& [word, colour] :
         {std::pair{"lblHTP_7", QColor(192, 192, 0)}, {"lblHTP_8", QColor(0, 255, 0)}}) {
        EXPECT_EQ(help->findChild<QWidget*>(QString::fromLatin1(word))
                      ->palette()
                      .color(QPalette::WindowText),
                  colour);
    }
    // Every way of closing it; each time it opens again on its first tab.
    for (const std::string closing :
         {"Esc", "Return", "Close", "the close box", "the game's end"}) {
        SCOPED_TRACE(closing);
        if (closing == "Esc" || closing == "Return") {
            QTest::keyClick(tabs->tabBar(), closing == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
        } else if (closing == "Close") {
            Do("click cmdClose");
        } else {
            closing == "the close box" ? help->close() : window->close();
        }
        EXPECT_EQ(test::TopLevel("frmHelp"), nullptr);
        if (closing != "the game's end") {
            Do("click cmdGameHelp");
            ASSERT_NE(help = test::TopLevel("frmHelp"), nullptr);
            tabs = help->findChild<QTabWidget*>();
            EXPECT_EQ(tabs->currentIndex(), 0);
            tabs->setCurrentIndex(2);
        }
    }
}

// The pages after the three: the advisor, the trainer, every key and the casino games, each a
// text that scrolls inside the tab; F1 opens the window from the table and from the advisor,
// and Enter in a page's text closes it as anywhere else.
TEST_F(OtherWindowsTest, HelpPagesOnTheAdvisorTheTrainerTheKeysAndTheGames) {
    Start();
    Do("keys F1");
    QWidget* help = test::TopLevel("frmHelp");
    ASSERT_NE(help, nullptr);
    auto* tabs = help->findChild<QTabWidget*>();
    QStringList captions;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        captions << tabs->tabText(tab);
    }
    EXPECT_EQ(captions.join(u'|'), QStringLiteral("How To Play|Bank Accounts|Miscellaneous|Hold "
                                                  "Advisor|Trainer|Keys|Casino Games"));
    struct Row {
        const char* page;
        std::vector<const char*> says;
    };
    const Row rows[] = {
        {"txtAdvisorHelp",
         {"Game \u2192 Hold Advisor (Ctrl+H)", "Mark Best Hold (Space", "=", "Save List as CSV...",
          "standing pat"}},
        {"txtTrainerHelp",
         {"(Ctrl+T)", "\"Corvanta - Trainer\"", "less than 0.05 \u00d7 bet",
          "No takes you back to marking"}},
        {"txtKeysHelp", {"F1", "Enter", "Space", "Esc", "Alt+letter"}},
        {"txtGamesHelp",
         {"Classic 217.68 %", "Jacks or Better 9/6 99.5439 %", "Bonus Poker 8/5 99.1660 %",
          "Deuces Wild 100.7620 %", "the 47 cards not dealt", "every two is wild",
          "Straight 4, Flush 6, Full House 9", "Four Aces 80", "Natural Royal Flush 800",
          "Straight 5, Flush 8, Full House 12"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.page);
        auto* text = help->findChild<QTextBrowser*>(QString::fromLatin1(row.page));
        ASSERT_NE(text, nullptr);
        tabs->setCurrentWidget(text->parentWidget());
        EXPECT_TRUE(text->isVisible());
        // Within the tab control, below its captions.
        const QRect place(text->mapTo(tabs, QPoint(0, 0)), text->size());
        EXPECT_EQ(place, QRect(12, 28, 436, 232));
        const QString plain = text->toPlainText().simplified(); // a table's cells: one space
        for (const char* said : row.says) {
            EXPECT_TRUE(plain.contains(QString::fromUtf8(said))) << said << " in\n"
                                                                 << plain.toStdString();
        }
    }
    // Every key of the table's menus, with the entry's name.
    const QString keys =
        help->findChild<QTextBrowser*>(QStringLiteral("txtKeysHelp"))->toPlainText().simplified();
    for (const QAction* action : window->findChildren<QAction*>()) {
        const QString key = action->shortcut().toString();
        const QString entry = action->text().remove(u'&');
        if (!key.isEmpty()) {
            EXPECT_TRUE(keys.contains(key + u' ' + entry.section(u' ', 0, 0)) ||
                        keys.contains(key + u' ' + entry.section(u' ', 1, 1)))
                << key.toStdString() << " " << entry.toStdString();
        }
    }
    // Enter in a page's text closes the window; F1 in the advisor opens it again.
    auto* keysText = help->findChild<QTextBrowser*>(QStringLiteral("txtKeysHelp"));
    tabs->setCurrentWidget(keysText->parentWidget());
    keysText->setFocus();
    QTest::keyClick(keysText, Qt::Key_Return);
    EXPECT_EQ(test::TopLevel("frmHelp"), nullptr);
    Do("click mnuAdvisor");
    QWidget* advisor = test::TopLevel("frmAdvisor");
    ASSERT_NE(advisor, nullptr);
    advisor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(advisor));
    QTest::keyClick(advisor, Qt::Key_F1);
    EXPECT_NE(test::TopLevel("frmHelp"), nullptr);
}

// Help, About Corvanta: the version, the licence and the Qt the game runs on.
TEST_F(OtherWindowsTest, AboutSaysTheVersionTheLicenceAndQt) {
    Start();
    Run({{"About Corvanta", "click mnuAbout", "mnuAbout=&About Corvanta",
          "About Corvanta: <h3>Corvanta 1.0</h3><p>Five-card draw poker for one player, with play "
          "money, bank accounts, a hold advisor and a trainer, and the casino games Jacks or "
          "Better, Bonus Poker and Deuces Wild.</p><p>Copyright (c) 2026 Corvanta "
          "contributors<br>MIT License: free to use, copy, change and share, without "
          "warranty.</p><p>Runs on Qt " +
              std::string(qVersion()) + ".</p>"}});
}

} // namespace
} // namespace corvanta
