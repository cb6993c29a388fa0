// The main window's wiring, and of the two modal windows it opens (frmAccount, frmOptions):
// each command, by mouse, key or menu, and each answer to its dialogs, against what the player
// sees and what reaches gbank.db and settings.reg; the rules behind the outcomes are the core
// tests' part. And the main window's layout.
#include "WindowTesting.h"

#include "ui/frmPoker/AppIcon.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QExposeEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace corvanta {
namespace {

using test::Card;
using test::Record;
using MainWindowTest = test::GameTest;
using T = test::GameTest;

const std::string BetPrompt =
    "Corvanta - Place Bet: Enter the amount of money you would like to bet: | ";
const std::string NamePrompt =
    "Corvanta - Bank Account Access: Please enter the name of the account: | ";
const std::string CreateQuestion = "\nCorvanta - Bank Account Access: That account does not "
                                   "exisit\rWould you like to create it?";
const std::string NamingPrompt =
    "\nCorvanta - Bank Account Access: Please enter a name for this account before the new account "
    "is created:\rThe name may not be more than 20 characters in length, but may include spaces "
    "and punctuation. | Jimmy Crack Corn";

const std::string ClearQuestion =
    "Corvanta - Clear Statistics: Clear the statistics of this account? This cannot be undone.";

TEST_F(MainWindowTest, EachCommandShowsItsOutcomeAndSavesIt) {
    // The current account has no name yet, and 98 others fill the bank but for one place.
    std::string others;
    for (int n = 2; n < 100; ++n) {
        others += Record("Player " + std::to_string(n), n);
    }
    const auto bank = [&](const std::string& first, const char* last = "") {
        return first + others + (*last != '\0' ? Record(last, 50) : "");
    };
    Prepare(bank(Record("", 15)));
    Start();
    Run({
        {"the start", "",
         "lblCurrentAccount= | lblSavings=$15 | lblRoundsPlayed=0 | lblDiscard1=hidden | "
         "cmdBankLoan=hidden | cmdAddBet=&Bet: | mnuTrainer=&Trainer Mode"},
        {"a bet of more than the cash", "bet 150",
         "lblCurrentCash=$100 | lblBetAmount=$0 | txtBet=150",
         "Corvanta - Place Bet: You don't have enough money to make that bet! \rYou are $50 "
         "short."},
        {"a bet under the minimum", "bet 4", "lblBetAmount=$0 | txtBet=4 | cmdDeal=&Deal (off)"},
        {"Place Bet from the menu, cancelled", "answer <Cancel>; click mnuBet",
         "lblBetAmount=$0 | lblCurrentCash=$100", BetPrompt},
        {"a bet by the button", "bet 30",
         "lblCurrentCash=$70 | lblBetAmount=$30 | txtBet=5 | cmdDeal=&Deal | mnuDeal=&Deal | "
         "cmdAddBet=&Bet: | Card1=Card back (off)",
         "", "", "\"Current Money\"=dword:00000046"},
        {"Ctrl+B adds to the bet", "answer 4.6; keys Ctrl+B",
         "lblCurrentCash=$65 | lblBetAmount=$35", BetPrompt},
        {"Enter in the bet box deals", "cards 8C 8D 3H 8S QH; press txtBet Return",
         "Card1=Eight of Clubs | Card3=Three of Hearts | Card5=Queen of Hearts | cmdAddBet=&Bet: "
         "(off) | mnuBet=Place &Bet (off) | cmdDeal=&Deal | lblDiscard3=hidden"},
        {"clicks mark the three and the queen", "click Card3 Card5",
         "Card3=Three of Hearts, Marked for discard | lblDiscard3=DISCARD | Card4=Eight of Spades "
         "| lblDiscard4=hidden | lblDiscard5=DISCARD"},
        {"a second click takes the mark back, Space on the card sets it again",
         "click Card5; press Card5 Space",
         "Card5=Queen of Hearts, Marked for discard | lblDiscard5=DISCARD | lblDiscard3=DISCARD"},
        {"Ctrl+D draws and pays the full house", "cards 3C 3D; keys Ctrl+D",
         "lblLastHand=Full House | lblCurrentCash=$485 | lblBetAmount=$0 | txtBet=5 | "
         "lblRoundsWon=1 | lblRoundsLost=0 | lblRoundsPlayed=1 | lblAmountWon=$385 | "
         "lblAveGains=$385 | Card1=Eight of Clubs (off) | Card5=Three of Diamonds (off) | "
         "lblDiscard5=hidden | cmdDeal=&Deal (off) | cmdAddBet=&Bet: | cmdBankLoan=hidden",
         "", bank(Record("", 15, 1, 1, 0, 385)), "\"Current Money\"=dword:000001e5"},
        {"a round lost with both the cash and the savings low: the loan is offered",
         "bet 480; deal 2C 5D 7H 9S KC; click cmdDeal",
         "lblLastHand=Not a Winning Hand | lblCurrentCash=$5 | lblRoundsLost=1 | lblRoundsPlayed=2 "
         "| lblAmountLost=$480 | lblAveGains=$-47 | cmdBankLoan=Get &Loan",
         "", bank(Record("", 15, 2, 1, 1, 385, 480))},
        {"the loan", "click cmdBankLoan",
         "lblCurrentCash=$25 | lblSavings=$25 | cmdBankLoan=hidden", "",
         bank(Record("", 25, 2, 1, 1, 385, 480)), "\"Current Money\"=dword:00000019"},
        {"a deposit of all the cash", "type txtBank 25; click cmdDeposit",
         "lblCurrentCash=$25 | lblSavings=$25 | txtBank=25"},
        {"a deposit from the menu", "answer 24; click mnuDeposit",
         "lblCurrentCash=$1 | lblSavings=$49 | txtBank=0", "Corvanta - Deposit Cash: Please | ",
         bank(Record("", 49, 2, 1, 1, 385, 480))},
        {"Ctrl+W withdraws", "answer 48; keys Ctrl+W",
         "lblCurrentCash=$49 | lblSavings=$1 | txtBank=0",
         "Corvanta - Withdraw Cash: Enter the amount of money you would like to withdraw from your "
         "account: | ",
         bank(Record("", 1, 2, 1, 1, 385, 480))},
        {"Clear Statistics answered No: nothing cleared", "answer &No; click cmdClearStats",
         "lblRoundsWon=1 | lblRoundsLost=1 | lblRoundsPlayed=2 | lblAmountWon=$385", ClearQuestion,
         bank(Record("", 1, 2, 1, 1, 385, 480))},
        {"Clear Statistics answered by Enter: No is the default", "click cmdClearStats",
         "lblRoundsPlayed=2 | lblAmountLost=$480", ClearQuestion,
         bank(Record("", 1, 2, 1, 1, 385, 480)), "",
         [](T& t) {
             t.Answers({[](QWidget& box) {
                 QTest::keyClick(&box, Qt::Key_Return);
             }});
         }},
        {"Clear Statistics answered Yes", "answer &Yes; click cmdClearStats",
         "lblRoundsWon=0 | lblRoundsLost=0 | lblRoundsPlayed=0 | lblAmountWon=$0 | "
         "lblAmountLost=$0 | lblAveGains=$0",
         ClearQuestion, bank(Record("", 1))},
        {"Change Account to a new name, created, the nameless current account named first",
         "answer  Bob ; answer &Yes; answer Default; click cmdChangeAccount",
         "lblCurrentAccount=Bob | lblSavings=$ 50 | lblCurrentCash=$50",
         NamePrompt + CreateQuestion + NamingPrompt, bank(Record("Default", 1), "Bob"),
         "\"Current Account\"=dword:00000064"},
        {"Ctrl+A back to the first account", "answer default; keys Ctrl+A",
         "lblCurrentAccount=Default | lblSavings=$1 | lblCurrentCash=$50", NamePrompt, "",
         "\"Current Account\"=dword:00000001"},
        {"a name not found, not created", "answer Nobody; answer &No; click mnuChgAccount",
         "lblCurrentAccount=Default", NamePrompt + CreateQuestion,
         bank(Record("Default", 1), "Bob")},
        {"a name not found, and no place for it in the bank",
         "answer Carol; answer &Yes; click cmdChangeAccount", "lblCurrentAccount=Default",
         NamePrompt + CreateQuestion +
             "\nCorvanta - Bank Account Access: The bank is full: it holds 100 accounts, the most "
             "it can keep.",
         bank(Record("Default", 1), "Bob")},
        {"the amount boxes take digits only, seven at most",
         "type txtBet; keyclicks txtBet 1a-2 .3456789; press txtBet Backspace; type txtBank; "
         "keyclicks txtBank 1a-2 .3456789; press txtBank Backspace",
         "txtBet=123456 | txtBank=123456"},
        {"Exit Poker during a round, and the next start", "bet 10; click cmdExit; restart",
         "lblCurrentCash=$40 | lblBetAmount=$0 | lblCurrentAccount=Default | cmdDeal=&Deal (off)",
         "", "", "\"Current Money\"=dword:00000028"},
        {"Exit from the menu", "click mnuExit", "frmPoker=hidden"},
    });
    // The exit's save closes the journal the saves during play kept: the settings alone stay.
    EXPECT_EQ(test::FolderEntries(files.config + "/corvanta"),
              std::vector<std::string>{"settings.reg"});
}

// A command disabled under the focus hands it to Deal, or else to the table, never to another
// command: Qt's next control after Bet is Clear Statistics, which a stray Enter would press.
TEST_F(MainWindowTest, EnterAfterACommandIsDisabledUnderTheFocusRunsNoOtherCommand) {
    Prepare(Record("Ann", 40, 3, 1, 2, 20, 30));
    Start();
    Run({
        {"Bet clicked, Ctrl+D deals, Enter draws; the statistics kept",
         "bet 5; cards 2C 5D 7H 9S KC; hit Ctrl+D; expect Card1=Two of Clubs; hit Return",
         "lblLastHand=Not a Winning Hand | lblRoundsPlayed=4 | lblRoundsLost=3 | "
         "lblAmountLost=$35 | cmdDeal=&Deal (off)",
         "", Record("Ann", 40, 4, 1, 3, 20, 35)},
        {"Deal disabled under the focus after the draw: Enter does nothing", "hit Return",
         "lblRoundsPlayed=4 | lblCurrentCash=$95 | lblBetAmount=$0", "",
         Record("Ann", 40, 4, 1, 3, 20, 35)},
        {"a card marked by Space, Enter draws",
         "bet 5; deal 3C 5D 7H 9S KC; press Card1 Space; "
         "cards 3D; hit Return",
         "lblLastHand=Not a Winning Hand | Card1=Three of Diamonds (off) | lblRoundsPlayed=5"},
    });
}

TEST_F(MainWindowTest, TheFinalHandStaysOnTheTableUntilTheNextBet) {
    Start();
    // The five pictures, painted now, against what the card library draws.
    const auto expectHand = [this](std::vector<int> cards, int mode, const char* when) {
        for (int slot = 0; slot < 5; ++slot) {
            EXPECT_EQ(Shown(slot), Drawn(cards[slot], mode)) << when << ", slot " << slot;
        }
    };
    const std::vector<int> royal = {Card(14, 4), Card(13, 4), Card(12, 4), Card(11, 4),
                                    Card(10, 4)};
    expectHand({63, 63, 63, 63, 63}, 1, "at the start");
    Do("bet 5; deal AS KS QS JS 2C; click Card5; deal TS; expect lblLastHand=Royal Flush | "
       "Card1=Ace of Spades (off) | Card5=Ten of Spades (off)");
    expectHand(royal, 0, "after the draw");
    QExposeEvent expose(QRegion(window->rect())); // covered and uncovered: the window repaints
    QCoreApplication::sendEvent(window->windowHandle(), &expose);
    expectHand(royal, 0, "after an expose");
    {
        test::DialogAnswers answers({Doing("click BG3; press BG3 Esc")}); // a new back waits
        Do("click cmdOptions cmdGameHelp cmdClose");
    }
    window->setEnabled(false);
    window->setEnabled(true);
    expectHand(royal, 0, "after the options, the help and the window disabled");
    Do("click cmdAddBet; expect Card1=Card back (off) | Card5=Card back (off)");
    expectHand({55, 55, 55, 55, 55}, 1, "after the next bet");
}

// The layout: every caption, a few places of each area in pixels, the menus, and captions
// that fit.
TEST_F(MainWindowTest, CaptionsPlacesAndMenusAreAsDesigned) {
    Start();
    EXPECT_EQ(window->centralWidget()->size(), QSize(573, 329));
    EXPECT_EQ(window->minimumSize(), window->size()); // it grows from there (GrowingTableTest)
    for (const char* hidden : {"lblDiscard1", "lblDiscard5", "cmdBankLoan"}) {
        qobject_cast<QWidget*>(test::Find(*window, hidden))->show(); // as they stand when shown
    }
    const char* const layout =
        // The table.
        "frmPoker=Corvanta 1.0 alpha | lblLastHandC=Last Hand:@16,8,89,20 | lblLastHand=No Hand "
        "Played@112,8,297,25 | lblCurrentCash=$100@16,200,89,17 | lblBetAmountC=$ | cmdDeal=&Deal "
        "(off)@16,160,89,25 | cmdAddBet=&Bet:@16,256,89,24 | txtBet=5@32,288,73,21 | Card1=Card "
        "back (off)@16,32,71,96 | Card5=Card back (off)@336,32,71,96 | "
        "lblDiscard1=DISCARD@16,136,73,17 | lblDiscard5=DISCARD@336,136,73,17 | "
        "imgShowDebug=@520,80,17,17 | cmdGameHelp=Game &Help | cmdOptions=&Game Options | "
        "cmdExit=E&xit Poker@432,296,129,25 | "
        // The bank.
        "fraBank=Bank@120,160,137,161 | lblAccountC=Account: | lblSavingsC=Savings: | "
        "lblCashAmount=$ | lblCurrentAccount=Default@176,176,81,17 | txtBank=0@144,216,105,19 | "
        "cmdWithdrawCash=&Withdraw@128,240,57,25 | cmdDeposit=De&posit@192,240,57,25 | "
        "cmdBankLoan=Get &Loan@128,240,121,25 | cmdChangeAccount=&Change Account | "
        "cmdEditAccount=&Edit Account@128,288,121,25 | "
        // The statistics.
        "fraStats=Statistics@264,160,153,161 | lblRoundsWonC=Rounds Won:@272,176,88,13 | "
        "lblRoundsWon=0@360,176,57,17 | lblRoundsLostC=Rounds Lost: | lblRoundsPlayedC=Rounds "
        "Played: | lblAmountWonC=Amount Won: | lblAmountLostC=Amount Lost: | lblAveGainsC=Average "
        "Gains:@272,264,80,13 | cmdClearStats=Clear &Statistics@272,288,137,25 | "
        // The payoffs.
        "lblPayoffsC=Payoffs@432,32,126,22 | lblRoyalFlushC=Royal Flush@432,64,96,17 | "
        "lblRFPayoffC=100x@528,64,33,17 | lblStraightFlushC=Straight Flush | lblSFPayOffC=50x | "
        "lbl5KindC=Five of a Kind | Label1=40x | lbl4KindC=Four of a Kind | Label2=25x | "
        "lblFullC=Full House | Label3=12x | lblFlushPayoff=Flush | Label4=8x | "
        "lblStraightC=Straight | Label5=5x | lbl3KindC=Three of a Kind | Label6=3x | lbl2PairC=Two "
        "Pair | Label7=2x | lblPairC=Pair@432,208,112,17 | Label8=x@544,208,17,17 | "
        // The menus.
        "mnuBet=Place &Bet@Ctrl+B | mnuDeal=&Deal (off)@Ctrl+D | mnuAdvisor=Hold &Advisor@Ctrl+H | "
        "mnuTrainer=&Trainer Mode@Ctrl+T | mnuExit=E&xit@Ctrl+Y | mnuWithdraw=&Withdraw@Ctrl+W | "
        "mnuDeposit=De&posit@Ctrl+P | mnuChgAccount=Change &Account@Ctrl+A | mnuOptions=&Options@ "
        "| mnuGameHelp=&Game Help@F1 | mnuAbout=&About Corvanta@";
    test::ExpectLooks(*window, QString::fromUtf8(layout));
    // The window's icon, handed to the window manager once the table is painted.
    window->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->windowIcon().pixmap(32).toImage(), AppIconImage(32));
    // Every caption is drawn whole in the game's fonts (a line edit's text aside).
    for (QWidget* control : window->centralWidget()->findChildren<QWidget*>()) {
        const QString caption = control->property("text").toString().remove(u'&');
        EXPECT_LE(control->fontMetrics().horizontalAdvance(caption) +
                      (qobject_cast<QPushButton*>(control) != nullptr ? 6 : 0),
                  control->width())
            << control->objectName().toStdString();
    }
}

// frmAccount, Edit Account's modal window: what is typed and how it is closed, against its
// messages, its boxes, the main window's caption and the bank.
TEST_F(MainWindowTest, TheAccountEditorSavesOrRefusesAndCloses) {
    Prepare(Record("Default", 100));
    Start();
    const std::string saved = Record("Ace", 100, 0, 0, 0, 0, 0, "SeCrEt");
    const std::string caption = "lblCurrentAccount=Ace                 ";
    Run({
        {"Return saves the trimmed name and the password", "click cmdEditAccount", caption,
         "Edit Account: ", saved, "",
         [](T& t) {
             t.Answers({t.Doing("expect txtName=Default; type txtName  Ace ; type txtPW_0 SeCrEt; "
                                "type txtPW_1 SeCrEt; press txtName Return")});
         }},
        {"a blank name is refused and the stored one comes back; Esc closes",
         "click cmdEditAccount", caption,
         "Edit Account: \nCorvanta - Edit Account: Unable to save the new name!\rNames cannot "
         "consist solely of spaces, but may include letters, numbers, or punctuation.",
         saved, "",
         [](T& t) {
             t.Answers(
                 {t.Doing("type txtName   ; click cmdApply; expect txtName=Ace; press txtName Esc"),
                  "OK"});
         }},
        {"passwords that differ are refused, the name kept; Cancel closes", "click cmdEditAccount",
         caption,
         "Edit Account: \nCorvanta - Edit Account: Unable to save the new password!\rThe two "
         "entries do not match. Please input the password again.",
         Record("Renamed", 100, 0, 0, 0, 0, 0, "SeCrEt"), "",
         [](T& t) {
             t.Answers({t.Doing("type txtName Renamed; type txtPW_0 one; type txtPW_1 two; click "
                                "cmdApply; expect txtPW_0= | txtPW_1=; click cmdCancel"),
                        "OK"});
         }},
    });
}

// What assistive technology hears of the Game menu's entries: Trainer Mode is a checkable
// entry, checked while the trainer is on; the others are plain commands.
TEST_F(MainWindowTest, TrainerModeIsACheckableEntryToAssistiveTechnology) {
    Start();
    QAccessibleInterface* menu =
        QAccessible::queryAccessibleInterface(window->findChild<QMenu*>(QStringLiteral("mnuGame")));
    ASSERT_NE(menu, nullptr);
    const auto entry = [menu](const QString& name) -> QAccessibleInterface* {
        for (int i = 0; i < menu->childCount(); ++i) {
            if (menu->child(i)->text(QAccessible::Name) == name) {
                return menu->child(i);
            }
        }
        return nullptr;
    };
    struct Row {
        const char* name;
        bool checkable;
        bool checkedAfterClick;
    };
    for (const Row& row : {Row{"Trainer Mode", true, true}, Row{"Hold Advisor", false, false},
                           Row{"Place Bet", false, false}}) {
        SCOPED_TRACE(row.name);
        QAccessibleInterface* item = entry(QString::fromLatin1(row.name));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->role(), QAccessible::MenuItem);
        EXPECT_EQ(item->state().checkable, row.checkable);
        EXPECT_FALSE(item->state().checked);
    }
    Do("click mnuTrainer");
    EXPECT_TRUE(entry(QStringLiteral("Trainer Mode"))->state().checked);
    Do("click mnuTrainer");
    EXPECT_FALSE(entry(QStringLiteral("Trainer Mode"))->state().checked);
}

// frmOptions: the backs clicked or chosen by Space, and the way the window is closed, against
// its yellow frames, the backs on the table and the settings.
TEST_F(MainWindowTest, OptionsTakeTheLastChosenBackOnceClosed) {
    Start();
    const auto options = [](const char* script) {
        return [script](T& t) {
            t.Answers({t.Doing(script)});
        };
    };
    Run({
        {"the back in use framed as it opens", "click cmdOptions", "", "Game Options: ", "", "",
         options("expect shpBG_10= | shpBG_0=hidden | shpBG_4=hidden; click cmdClose")},
        {"BG5 and the close box", "click cmdOptions", "", "Game Options: ", "",
         "\"Card BG\"=dword:00000039",
         [](T& t) {
             t.Answers({[&t](QWidget& options) {
                 t.Do("click BG5; expect shpBG_4= | shpBG_10=hidden");
                 EXPECT_EQ(t.Shown(0), t.Drawn(63, 1)); // the table's back waits for the close
                 options.close();
             }});
         }},
        {"BG4, BG11 and Close", "click cmdOptions", "", "Game Options: ", "",
         "\"Card BG\"=dword:0000003f",
         options(
             "click BG4 BG11; expect shpBG_3=hidden | shpBG_4=hidden | shpBG_10=; click cmdClose")},
        {"Space on BG2 and Esc", "click cmdOptions", "", "Game Options: ", "",
         "\"Card BG\"=dword:00000036",
         options("press BG2 Space; expect shpBG_1= | shpBG_10=hidden; press BG2 Esc")},
        {"BG2 framed at the next opening", "click cmdOptions", "", "Game Options: ", "", "",
         options("expect shpBG_1= | shpBG_10=hidden | shpBG_12=hidden; click cmdClose")},
    });
    EXPECT_EQ(Shown(0), Drawn(54, 1)); // the last back, face down on the table
}

} // namespace
} // namespace corvanta
