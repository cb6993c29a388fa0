#include "WindowTesting.h"

#include "bank/BankFile.h"
#include "ui/frmPoker/CardPicture.h"
#include "ui/frmPoker/MainWindow.h"

#include <QAction>
#include <QExposeEvent>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace corvanta {
namespace {

using test::AnswerMessageBox;
using test::AnswerPrompt;
using test::Caption;
using test::Card;
using test::Find;

class MainWindowTest : public test::GameTest {
protected:
    MainWindowTest() { Start(); }

    QAction* Action(const char* name) { return Find<QAction>(*window, name); }
    void SetBetBox(const QString& text) { Find<QLineEdit>(*window, "txtBet")->setText(text); }
    // What each picture shows now, repainted.
    std::vector<QImage> ShownHand() {
        std::vector<QImage> images;
        for (int slot = 0; slot < 5; ++slot) {
            CardAt(slot)->repaint();
            images.push_back(Shown(slot));
        }
        return images;
    }
};

TEST_F(MainWindowTest, FirstStartShowsTheDefaultAccountAndFiveBacks) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Corvanta 1.0 alpha"));
    struct Row {
        const char* label;
        const char* caption;
    };
    for (const Row& row :
         {Row{"lblCurrentCash", "$100"}, Row{"lblBetAmount", "$0"},
          Row{"lblLastHand", "No Hand Played"}, Row{"lblCurrentAccount", "Default"},
          Row{"lblSavings", "$100"}, Row{"lblRoundsWon", "0"}, Row{"lblRoundsLost", "0"},
          Row{"lblRoundsPlayed", "0"}, Row{"lblAmountWon", "$0"}, Row{"lblAmountLost", "$0"},
          Row{"lblAveGains", "$0"}}) {
        EXPECT_EQ(Text(row.label), QString::fromLatin1(row.caption)) << row.label;
    }
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(Shown(slot), Drawn(63, 1)) << slot;
        EXPECT_FALSE(CardAt(slot)->isEnabled());
        EXPECT_EQ(CardAt(slot)->accessibleName(), QStringLiteral("Card back"));
        EXPECT_FALSE(
            Find<QLabel>(*window, ("lblDiscard" + std::to_string(slot + 1)).c_str())->isVisible());
    }
    EXPECT_FALSE(Button("cmdDeal")->isEnabled());
    EXPECT_FALSE(Action("mnuDeal")->isEnabled());
    EXPECT_TRUE(Button("cmdAddBet")->isEnabled());
    EXPECT_FALSE(Button("cmdBankLoan")->isVisible());
}

TEST_F(MainWindowTest, AScriptedRoundByMouse) {
    Click("cmdAddBet");
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$95"));
    EXPECT_EQ(Text("lblBetAmount"), QStringLiteral("$5"));
    EXPECT_TRUE(Button("cmdDeal")->isEnabled());
    EXPECT_TRUE(Action("mnuDeal")->isEnabled());

    session->random.Add({Card(8, 1), Card(8, 2), Card(3, 3), Card(8, 4), Card(12, 3)});
    Click("cmdDeal");
    EXPECT_FALSE(Button("cmdAddBet")->isEnabled());
    EXPECT_FALSE(Action("mnuBet")->isEnabled());
    EXPECT_TRUE(CardAt(4)->isEnabled());
    EXPECT_EQ(Shown(4), Drawn(Card(12, 3), 0));
    EXPECT_EQ(CardAt(4)->accessibleName(), QStringLiteral("Queen of Hearts"));

    // Mark the three and the queen: inverted faces with "DISCARD" under them.
    QTest::mouseClick(CardAt(2), Qt::LeftButton);
    QTest::mouseClick(CardAt(4), Qt::LeftButton);
    EXPECT_EQ(Shown(4), Drawn(Card(12, 3), 2));
    EXPECT_TRUE(Find<QLabel>(*window, "lblDiscard5")->isVisible());
    EXPECT_FALSE(Find<QLabel>(*window, "lblDiscard4")->isVisible());
    EXPECT_EQ(CardAt(4)->accessibleDescription(), QStringLiteral("Marked for discard"));
    // A second click takes the mark back; a third sets it again.
    QTest::mouseClick(CardAt(4), Qt::LeftButton);
    EXPECT_EQ(Shown(4), Drawn(Card(12, 3), 0));
    EXPECT_FALSE(Find<QLabel>(*window, "lblDiscard5")->isVisible());
    QTest::mouseClick(CardAt(4), Qt::LeftButton);

    session->random.Add({Card(3, 1), Card(3, 2)});
    Click("cmdDeal");
    EXPECT_EQ(Text("lblLastHand"), QStringLiteral("Full House"));
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$155"));
    EXPECT_EQ(Text("lblBetAmount"), QStringLiteral("$0"));
    EXPECT_EQ(Find<QLineEdit>(*window, "txtBet")->text(), QStringLiteral("5"));
    EXPECT_EQ(Text("lblRoundsWon"), QStringLiteral("1"));
    EXPECT_EQ(Text("lblRoundsPlayed"), QStringLiteral("1"));
    EXPECT_EQ(Text("lblAmountWon"), QStringLiteral("$55"));
    EXPECT_EQ(Text("lblAveGains"), QStringLiteral("$55"));
    EXPECT_FALSE(Button("cmdDeal")->isEnabled());
    EXPECT_TRUE(Button("cmdAddBet")->isEnabled());
    EXPECT_FALSE(CardAt(0)->isEnabled());
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_FALSE(
            Find<QLabel>(*window, ("lblDiscard" + std::to_string(slot + 1)).c_str())->isVisible());
    }
    // The settled hand stays on the table, face up, and the pictures say so.
    EXPECT_EQ(Shown(4), Drawn(Card(3, 2), 0));
    EXPECT_EQ(CardAt(4)->accessibleName(), QStringLiteral("Three of Diamonds"));
    EXPECT_EQ(CardAt(0)->accessibleName(), QStringLiteral("Eight of Clubs"));
}

TEST_F(MainWindowTest, TheFinalHandStaysOnTheTableUntilTheNextBet) {
    Click("cmdAddBet");
    session->random.Add({Card(14, 4), Card(13, 4), Card(12, 4), Card(11, 4), Card(2, 1)});
    Click("cmdDeal");
    QTest::mouseClick(CardAt(4), Qt::LeftButton);
    session->random.Add({Card(10, 4)});
    Click("cmdDeal");
    ASSERT_EQ(Text("lblLastHand"), QStringLiteral("Royal Flush"));
    const int final[] = {Card(14, 4), Card(13, 4), Card(12, 4), Card(11, 4), Card(10, 4)};
    std::vector<QImage> faces;
    for (int card : final) {
        faces.push_back(Drawn(card, 0));
    }
    EXPECT_EQ(ShownHand(), faces);
    EXPECT_EQ(CardAt(4)->accessibleName(), QStringLiteral("Ten of Spades"));
    EXPECT_EQ(CardAt(4)->accessibleDescription(), QString());

    // Covered and uncovered, the window repaints: the hand stays.
    QExposeEvent expose(QRegion(window->rect()));
    QCoreApplication::sendEvent(window->windowHandle(), &expose);
    EXPECT_EQ(ShownHand(), faces);
    // A new back chosen between rounds waits for the next bet; the hand stays meanwhile.
    test::AnswerNextDialog([](QWidget* options) {
        QTest::mouseClick(Find<QWidget>(*options, "BG3"), Qt::LeftButton);
        options->close();
    });
    Click("cmdOptions");
    EXPECT_EQ(ShownHand(), faces);
    Click("cmdGameHelp");
    test::TopLevel<QWidget>("frmHelp")->close();
    window->setEnabled(false);
    window->setEnabled(true);
    EXPECT_EQ(ShownHand(), faces);
    EXPECT_EQ(CardAt(0)->accessibleName(), QStringLiteral("Ace of Spades"));

    Click("cmdAddBet");
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(Shown(slot), Drawn(55, 1)) << slot;
        EXPECT_EQ(CardAt(slot)->accessibleName(), QStringLiteral("Card back")) << slot;
    }
}

TEST_F(MainWindowTest, AScriptedRoundByKeyboard) {
    auto prompt = AnswerPrompt(QStringLiteral("10"));
    test::PressKeys(*window, QKeySequence(QStringLiteral("Ctrl+B")));
    EXPECT_EQ(prompt->title, QStringLiteral("Corvanta - Place Bet"));
    EXPECT_EQ(prompt->text, QStringLiteral("Enter the amount of money you would like to bet:"));
    EXPECT_EQ(Text("lblBetAmount"), QStringLiteral("$10"));

    session->random.Add({Card(2, 1), Card(2, 2), Card(7, 3), Card(9, 4), Card(13, 1)});
    // Deal is the default button: Enter in the bet box deals (on a button it presses that one).
    auto* betBox = Find<QLineEdit>(*window, "txtBet");
    betBox->setFocus();
    QTest::keyClick(betBox, Qt::Key_Return);
    ASSERT_TRUE(CardAt(2)->isEnabled());
    CardAt(2)->setFocus();
    QTest::keyClick(CardAt(2), Qt::Key_Space);
    EXPECT_TRUE(session->model.GetTable().Discard[2]);
    EXPECT_TRUE(Find<QLabel>(*window, "lblDiscard3")->isVisible());
    session->random.Add({Card(2, 3)});
    test::PressKeys(*window, QKeySequence(QStringLiteral("Ctrl+D")));
    EXPECT_EQ(Text("lblLastHand"), QStringLiteral("Three of a Kind"));
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$120"));
    // Space on a disabled card does nothing between rounds.
    QTest::keyClick(CardAt(2), Qt::Key_Space);
    EXPECT_FALSE(session->model.GetTable().Discard[2]);
}

TEST_F(MainWindowTest, RefusedIgnoredAndAddedBets) {
    SetBetBox(QStringLiteral("150"));
    auto seen = AnswerMessageBox();
    Click("cmdAddBet");
    EXPECT_EQ(seen->title, QStringLiteral("Corvanta - Place Bet"));
    EXPECT_EQ(seen->text,
              QStringLiteral("You don't have enough money to make that bet! \rYou are $50 short."));
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$100"));
    EXPECT_EQ(Find<QLineEdit>(*window, "txtBet")->text(), QStringLiteral("150"));

    SetBetBox(QStringLiteral("4"));
    Click("cmdAddBet");
    EXPECT_EQ(Text("lblBetAmount"), QStringLiteral("$0"));
    EXPECT_EQ(Find<QLineEdit>(*window, "txtBet")->text(), QStringLiteral("4"));
    EXPECT_FALSE(Button("cmdDeal")->isEnabled());

    AnswerPrompt(QString(), /*cancel=*/true);
    Action("mnuBet")->trigger();
    EXPECT_EQ(Text("lblBetAmount"), QStringLiteral("$0"));

    SetBetBox(QStringLiteral("30"));
    Click("cmdAddBet");
    AnswerPrompt(QStringLiteral("4.6"));
    Action("mnuBet")->trigger();
    EXPECT_EQ(Text("lblBetAmount"), QStringLiteral("$35"));
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$65"));
}

TEST_F(MainWindowTest, ExitDuringARoundSavesTheCashWithoutTheBetAndTheNextStartReadsItBack) {
    SetBetBox(QStringLiteral("40"));
    Click("cmdAddBet");
    Click("cmdExit");
    EXPECT_FALSE(window->isVisible());
    QFile bank(folders.BankPath());
    ASSERT_TRUE(bank.open(QIODevice::ReadOnly));
    EXPECT_EQ(bank.size(), 46);
    EXPECT_EQ(bank.read(7), QByteArray("Default"));

    Restart();
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$60"));
    EXPECT_EQ(Text("lblBetAmount"), QStringLiteral("$0"));
    EXPECT_EQ(Text("lblCurrentAccount"), QStringLiteral("Default"));
}

TEST_F(MainWindowTest, CloseBoxAndMenuExitSaveLikeExit) {
    for (const char* way : {"close box", "menu"}) {
        SetBetBox(QStringLiteral("10"));
        Click("cmdAddBet");
        session->random.Add({Card(2, 1), Card(5, 2), Card(7, 3), Card(9, 4), Card(13, 1)});
        Click("cmdDeal");
        Click("cmdDeal");
        const QString cash = Text("lblCurrentCash");
        if (std::string(way) == "menu") {
            Action("mnuExit")->trigger();
        } else {
            window->close();
        }
        Restart();
        EXPECT_EQ(Text("lblCurrentCash"), cash) << way;
        EXPECT_EQ(Text("lblRoundsLost"), QString::fromLatin1(way[0] == 'c' ? "1" : "2")) << way;
    }
}

TEST_F(MainWindowTest, AFailedBankSaveAtExitSaysWhereAndWhy) {
    ASSERT_TRUE(QFile::remove(folders.BankPath())); // the start created it empty
    ASSERT_TRUE(QDir(folders.program.path()).mkdir(QStringLiteral("gbank.db")));
    auto seen = AnswerMessageBox();
    window->close();
    EXPECT_EQ(seen->title, QStringLiteral("Corvanta - Exit"));
    EXPECT_TRUE(seen->text.contains(folders.BankPath())) << seen->text.toStdString();
    EXPECT_TRUE(seen->text.contains(QLatin1Char('\r')));
}

TEST_F(MainWindowTest, AmountBoxesTakeDigitsAndBackspaceOnly) {
    for (const char* name : {"txtBet", "txtBank"}) {
        auto* box = Find<QLineEdit>(*window, name);
        box->clear();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("1a-2 .3"));
        EXPECT_EQ(box->text(), QStringLiteral("123")) << name;
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text(), QStringLiteral("12")) << name;
        QTest::keyClicks(box, QStringLiteral("345678"));
        EXPECT_EQ(box->text(), QStringLiteral("1234567")) << name; // at most seven characters
    }
}

} // namespace
} // namespace corvanta
