// The main window's wiring, and of the two modal windows it opens (frmAccount, frmOptions):
// each command, by mouse, key or menu, and each answer to its dialogs, against what the player
// sees and what reaches gbank.db and settings.reg. The rules behind the outcomes are the core
// tests' part.
#include "WindowTesting.h"

#include <QExposeEvent>
#include <QLineEdit>
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

TEST_F(MainWindowTest, EachCommandShowsItsOutcomeAndSavesIt) {
    Prepare(Record("Default", 15));
    Start();
    Run({
        {"the start", [](T&) {},
         "lblCurrentCash=$100 | lblBetAmount=$0 | lblLastHand=No Hand Played | "
         "lblCurrentAccount=Default | lblSavings=$15 | lblRoundsPlayed=0 | lblAveGains=$0 | "
         "Card1=Card back (off) | Card5=Card back (off) | lblDiscard1=hidden | cmdDeal=off | "
         "mnuDeal=off | cmdAddBet=on | mnuBet=on | cmdBankLoan=hidden | mnuTrainer=on"},
        {"a bet of more than the cash", [](T& t) { t.Type("txtBet", "150"), t.Click("cmdAddBet"); },
         "lblCurrentCash=$100 | lblBetAmount=$0 | txtBet=150",
         "Corvanta - Place Bet: You don't have enough money to make that bet! \rYou are $50 "
         "short."},
        {"a bet under the minimum", [](T& t) { t.Type("txtBet", "4"), t.Click("cmdAddBet"); },
         "lblBetAmount=$0 | txtBet=4 | cmdDeal=off"},
        {"Place Bet from the menu, cancelled",
         [](T& t) { t.Answers({test::Cancel}), t.Click("mnuBet"); },
         "lblBetAmount=$0 | lblCurrentCash=$100", BetPrompt},
        {"a bet by the button", [](T& t) { t.Type("txtBet", "30"), t.Click("cmdAddBet"); },
         "lblCurrentCash=$70 | lblBetAmount=$30 | txtBet=5 | cmdDeal=on | mnuDeal=on | "
         "cmdAddBet=on | Card1=Card back (off)",
         "", "", "\"Current Money\"=dword:00000046"},
        {"Ctrl+B adds to the bet", [](T& t) { t.Answers({"4.6"}), t.Keys("Ctrl+B"); },
         "lblCurrentCash=$65 | lblBetAmount=$35", BetPrompt},
        {"Enter in the bet box deals",
         [](T& t) {
             t.game->random.Add({Card(8, 1), Card(8, 2), Card(3, 3), Card(8, 4), Card(12, 3)});
             t.Keys("Return", "txtBet");
         },
         "Card1=Eight of Clubs | Card3=Three of Hearts | Card5=Queen of Hearts | cmdAddBet=off | "
         "mnuBet=off | cmdDeal=on | lblDiscard3=hidden"},
        {"clicks mark the three and the queen", [](T& t) { t.Click("Card3"), t.Click("Card5"); },
         "Card3=Three of Hearts, Marked for discard | lblDiscard3=DISCARD | Card4=Eight of Spades "
         "| lblDiscard4=hidden | lblDiscard5=DISCARD"},
        {"a second click takes the mark back", [](T& t) { t.Click("Card5"); },
         "Card5=Queen of Hearts | lblDiscard5=hidden | lblDiscard3=DISCARD"},
        {"Space marks the focused card", [](T& t) { t.Keys("Space", "Card5"); },
         "Card5=Queen of Hearts, Marked for discard | lblDiscard5=DISCARD"},
        {"Ctrl+D draws and pays the full house",
         [](T& t) {
             t.game->random.Add({Card(3, 1), Card(3, 2)});
             t.Keys("Ctrl+D");
         },
         "lblLastHand=Full House | lblCurrentCash=$485 | lblBetAmount=$0 | txtBet=5 | "
         "lblRoundsWon=1 | lblRoundsLost=0 | lblRoundsPlayed=1 | lblAmountWon=$385 | "
         "lblAveGains=$385 | Card1=Eight of Clubs (off) | Card5=Three of Diamonds (off) | "
         "lblDiscard5=hidden | cmdDeal=off | cmdAddBet=on | cmdBankLoan=hidden",
         "", Record("Default", 15, 1, 1, 0, 385), "\"Current Money\"=dword:000001e5"},
        {"a round lost with both the cash and the savings low: the loan is offered",
         [](T& t) {
             t.BetAndDeal(test::HandOf({{2, 1}, {5, 2}, {7, 3}, {9, 4}, {13, 1}}), "480");
             t.Click("cmdDeal");
         },
         "lblLastHand=Not a Winning Hand | lblCurrentCash=$5 | lblRoundsLost=1 | "
         "lblRoundsPlayed=2 | lblAmountLost=$480 | lblAveGains=$-47 | cmdBankLoan=on",
         "", Record("Default", 15, 2, 1, 1, 385, 480)},
        {"the loan", [](T& t) { t.Click("cmdBankLoan"); },
         "lblCurrentCash=$25 | lblSavings=$25 | cmdBankLoan=hidden", "",
         Record("Default", 25, 2, 1, 1, 385, 480), "\"Current Money\"=dword:00000019"},
        {"a deposit of all the cash", [](T& t) { t.Type("txtBank", "25"), t.Click("cmdDeposit"); },
         "lblCurrentCash=$25 | lblSavings=$25 | txtBank=25"},
        {"a deposit from the menu", [](T& t) { t.Answers({"24"}), t.Click("mnuDeposit"); },
         "lblCurrentCash=$1 | lblSavings=$49 | txtBank=0", "Corvanta - Deposit Cash: Please | ",
         Record("Default", 49, 2, 1, 1, 385, 480)},
        {"a withdrawal of all the savings",
         [](T& t) { t.Type("txtBank", "49"), t.Click("cmdWithdrawCash"); },
         "lblCurrentCash=$1 | lblSavings=$49 | txtBank=49"},
        {"Ctrl+W withdraws", [](T& t) { t.Answers({"48"}), t.Keys("Ctrl+W"); },
         "lblCurrentCash=$49 | lblSavings=$1 | txtBank=0",
         "Corvanta - Withdraw Cash: Enter the amount of money you would like to withdraw from "
         "your account: | ",
         Record("Default", 1, 2, 1, 1, 385, 480)},
        {"Clear Statistics", [](T& t) { t.Click("cmdClearStats"); },
         "lblRoundsWon=0 | lblRoundsLost=0 | lblRoundsPlayed=0 | lblAmountWon=$0 | "
         "lblAmountLost=$0 | lblAveGains=$0",
         "", Record("Default", 1)},
        {"Change Account to a new name, created",
         [](T& t) {
             t.Answers({" Bob ", "&Yes"}), t.Click("cmdChangeAccount");
         },
         "lblCurrentAccount=Bob | lblSavings=$ 50 | lblCurrentCash=$50",
         NamePrompt + CreateQuestion, Record("Default", 1) + Record("Bob", 50),
         "\"Current Account\"=dword:00000002"},
        {"Ctrl+A back to the first account", [](T& t) { t.Answers({"default"}), t.Keys("Ctrl+A"); },
         "lblCurrentAccount=Default | lblSavings=$1 | lblCurrentCash=$50", NamePrompt, "",
         "\"Current Account\"=dword:00000001"},
        {"a name not found, not created",
         [](T& t) {
             t.Answers({"Nobody", "&No"}), t.Click("mnuChgAccount");
         },
         "lblCurrentAccount=Default", NamePrompt + CreateQuestion,
         Record("Default", 1) + Record("Bob", 50)},
        {"the amount boxes take digits only, seven at most",
         [](T& t) {
             for (const char* name : {"txtBet", "txtBank"}) {
                 t.Type(name, "");
                 QTest::keyClicks(qobject_cast<QWidget*>(test::Find(*t.window, name)),
                                  QStringLiteral("1a-2 .3456789"));
                 t.Keys("Backspace", name);
             }
         },
         "txtBet=123456 | txtBank=123456"},
        {"Exit Poker during a round, and the next start",
         [](T& t) {
             t.Type("txtBet", "10"), t.Click("cmdAddBet"), t.Click("cmdExit");
             EXPECT_FALSE(t.window->isVisible());
             t.Restart();
         },
         "lblCurrentCash=$40 | lblBetAmount=$0 | lblCurrentAccount=Default | cmdDeal=off", "", "",
         "\"Current Money\"=dword:00000028"},
        {"Exit from the menu",
         [](T& t) {
             t.Click("mnuExit");
             EXPECT_FALSE(t.window->isVisible());
         },
         "", "", Record("Default", 1) + Record("Bob", 50)},
    });
}

TEST_F(MainWindowTest, TheFinalHandStaysOnTheTableUntilTheNextBet) {
    Start();
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(Shown(slot), Drawn(63, 1)) << slot;
    }
    BetAndDeal(test::HandOf({{14, 4}, {13, 4}, {12, 4}, {11, 4}, {2, 1}}));
    Click("Card5");
    Draw({Card(10, 4)});
    ASSERT_EQ(test::Look(*window, "lblLastHand"), QStringLiteral("Royal Flush"));
    const auto shownHand = [this] {
        std::vector<QImage> images;
        for (int slot = 0; slot < 5; ++slot) {
            images.push_back(Shown(slot));
        }
        return images;
    };
    std::vector<QImage> faces;
    for (int card : {Card(14, 4), Card(13, 4), Card(12, 4), Card(11, 4), Card(10, 4)}) {
        faces.push_back(Drawn(card, 0));
    }
    EXPECT_EQ(shownHand(), faces);
    test::ExpectLooks(*window,
                      QStringLiteral("Card1=Ace of Spades (off) | Card5=Ten of Spades (off)"));

    // Covered and uncovered, the window repaints: the hand stays.
    QExposeEvent expose(QRegion(window->rect()));
    QCoreApplication::sendEvent(window->windowHandle(), &expose);
    EXPECT_EQ(shownHand(), faces);
    // A new back chosen between rounds waits for the next bet; the hand stays meanwhile.
    {
        test::DialogAnswers answers({[](QWidget& options) {
            QTest::mouseClick(options.findChild<QWidget*>(QStringLiteral("BG3")), Qt::LeftButton);
            options.close();
        }});
        Click("cmdOptions");
    }
    EXPECT_EQ(shownHand(), faces);
    Click("cmdGameHelp");
    test::TopLevel("frmHelp")->close();
    window->setEnabled(false);
    window->setEnabled(true);
    EXPECT_EQ(shownHand(), faces);
    test::ExpectLooks(*window,
                      QStringLiteral("Card1=Ace of Spades (off) | Card5=Ten of Spades (off)"));

    Click("cmdAddBet");
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(Shown(slot), Drawn(55, 1)) << slot;
    }
    test::ExpectLooks(*window, QStringLiteral("Card1=Card back (off) | Card5=Card back (off)"));
}

// The account editor's answer: checks its boxes, types "name|password|confirmation" (when
// given), and presses Return, Esc, or a button (later, so that its message can be answered).
test::Answer Editor(const char* looks, const char* typed, const char* press) {
    return [=](QWidget& editor) {
        test::ExpectLooks(editor, QString::fromUtf8(looks));
        const QStringList boxes = QString::fromUtf8(typed).split(QLatin1Char('|'));
        for (int box = 0; typed != nullptr && box < 3; ++box) {
            const char* names[] = {"txtName", "txtPW_0", "txtPW_1"};
            editor.findChild<QLineEdit*>(QString::fromLatin1(names[box]))->setText(boxes[box]);
        }
        const std::string key = press;
        if (key == "Return" || key == "Esc") {
            QTest::keyClick(&editor, key == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
        } else {
            QMetaObject::invokeMethod(editor.findChild<QPushButton*>(QString::fromLatin1(press)),
                                      &QPushButton::click, Qt::QueuedConnection);
        }
    };
}

// frmAccount, Edit Account's modal window: what is typed and how it is closed, against its
// messages, its boxes, the main window's caption and the bank.
TEST_F(MainWindowTest, TheAccountEditorSavesOrRefusesAndCloses) {
    Prepare(Record("Default", 100));
    Start();
    const std::string opened = "Edit Account: ";
    const std::string saved = Record("Ace", 100, 0, 0, 0, 0, 0, "SeCrEt");
    Run({
        {"Return saves the trimmed name and the password",
         [](T& t) {
             t.Answers({Editor("txtName=Default", "  Ace |SeCrEt|SeCrEt", "Return")});
             t.Click("cmdEditAccount");
         },
         "lblCurrentAccount=Ace                 ", opened, saved},
        {"a blank name is refused and the stored one comes back; Esc closes",
         [](T& t) {
             t.Answers({Editor("txtName=Ace", "   ||", "cmdApply"), "OK",
                        Editor("txtName=Ace", nullptr, "Esc")});
             t.Click("cmdEditAccount");
         },
         "lblCurrentAccount=Ace                 ",
         opened +
             "\nCorvanta - Edit Account: Unable to save the new name!\rNames cannot consist "
             "solely of spaces, but may include letters, numbers, or punctuation.\n" +
             opened,
         saved},
        {"passwords that differ are refused, the name kept; Cancel closes",
         [](T& t) {
             t.Answers({Editor("", "Renamed|one|two", "cmdApply"), "OK",
                        Editor("txtName=Renamed | txtPW_0= | txtPW_1=", nullptr, "cmdCancel")});
             t.Click("cmdEditAccount");
         },
         "lblCurrentAccount=Ace                 ",
         opened +
             "\nCorvanta - Edit Account: Unable to save the new password!\rThe two entries do "
             "not match. Please input the password again.\n" +
             opened,
         Record("Renamed", 100, 0, 0, 0, 0, 0, "SeCrEt")},
    });
}

// frmOptions: the backs clicked or chosen by Space, and the way the window is closed, against
// its yellow frames, the backs on the table and the settings.
TEST_F(MainWindowTest, OptionsTakeTheLastChosenBackOnceClosed) {
    Start();
    // Chooses the backs (after "*" by Space), checks the one frame shown and the table's back
    // before the window closes, and closes it: by the close box, Esc or Close.
    const auto options = [](T& t, const char* chosen, int back, const char* close) {
        t.Answers({[&t, chosen, back, close,
                    before = t.Drawn(t.game->model.GetTable().CardBG, 1)](QWidget& options) {
            for (QString name : QString::fromLatin1(chosen).split(QLatin1Char(' '))) {
                auto* picture = options.findChild<QWidget*>(QString(name).remove(QLatin1Char('*')));
                picture->setFocus();
                name.startsWith(QLatin1Char('*')) ? QTest::keyClick(picture, Qt::Key_Space)
                                                  : QTest::mouseClick(picture, Qt::LeftButton);
            }
            for (int frame = 0; frame < 13; ++frame) {
                const QByteArray name = "shpBG_" + QByteArray::number(frame);
                EXPECT_EQ(test::Look(options, name.constData()).isEmpty(), frame == back - 53)
                    << frame;
            }
            EXPECT_EQ(t.Shown(0), before);
            const std::string how = close;
            how == "box" ? (void)options.close()
            : how == "Esc"
                ? QTest::keyClick(&options, Qt::Key_Escape)
                : QTest::mouseClick(options.findChild<QWidget*>(QStringLiteral("cmdClose")),
                                    Qt::LeftButton);
        }});
        t.Click("cmdOptions");
        EXPECT_EQ(t.Shown(0), t.Drawn(back, 1));
    };
    Run({
        {"BG5 and the close box", [&](T& t) { options(t, "BG5", 57, "box"); }, "",
         "Game Options: ", "", "\"Card BG\"=dword:00000039"},
        {"BG4, BG11 and Close", [&](T& t) { options(t, "BG4 BG11", 63, "Close"); }, "",
         "Game Options: ", "", "\"Card BG\"=dword:0000003f"},
        {"Space on BG2 and Esc", [&](T& t) { options(t, "*BG2", 54, "Esc"); }, "",
         "Game Options: ", "", "\"Card BG\"=dword:00000036"},
    });
}

} // namespace
} // namespace corvanta
