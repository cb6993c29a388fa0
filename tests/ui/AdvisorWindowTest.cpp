// frmAdvisor and the trainer: the advisor window follows the table, marks the best hold as
// clicks would and counts the session; the trainer asks before a costly draw, is remembered,
// and the session is listed newest first, saved as CSV and drawn as a chart.
#include "WindowTesting.h"

#include "ui/frmAdvisor/AdvisorWindow.h"
#include "ui/frmAdvisor/BankrollChart.h"

#include <QFileDialog>
#include <QPushButton>
#include <QTest>

namespace corvanta {
namespace {

using test::Card;
using test::HandOf;

// Four to a royal flush in clubs and the Three of Diamonds: the best hold throws the three.
const FiveCards FourToARoyal = HandOf({{10, 1}, {11, 1}, {12, 1}, {13, 1}, {3, 2}});
const std::string NothingDealt = "No cards are dealt. Once you bet and deal, the best holds will "
                                 "be listed here, ranked by expected payback.";

AdvisorWindow* Advisor() {
    return qobject_cast<AdvisorWindow*>(test::TopLevel("frmAdvisor"));
}

using AdvisorWindowTest = test::GameTest;
using T = test::GameTest;

TEST_F(AdvisorWindowTest, FollowsTheTableAndMarksTheBestHoldAsClicksWould) {
    Start();
    Run({
        {"Ctrl+H from the bet box: one modeless window, the bet box left alone",
         [](T& t) {
             t.Keys("Ctrl+H", "txtBet");
             ASSERT_NE(Advisor(), nullptr);
             EXPECT_EQ(Advisor()->windowTitle(), QStringLiteral("Corvanta - Hold Advisor"));
             EXPECT_TRUE(Advisor()->isVisible() && !Advisor()->isModal());
             EXPECT_EQ(Advisor()->parent(), nullptr);
         },
         "txtBet=5 | lblTitle=" + NothingDealt +
             " | lblHold1= | cmdMarkBest=off | lblRoundsAdvised=Rounds advised: 0"},
        {"asked again while minimized, the same window comes back",
         [](T& t) {
             AdvisorWindow* first = Advisor();
             first->showMinimized();
             t.Click("mnuAdvisor");
             EXPECT_EQ(Advisor(), first);
             EXPECT_FALSE(first->isMinimized());
         }},
        {"Mark Best Hold before any bet, even asked directly, marks nothing",
         [](T& t) {
             t.Click("cmdMarkBest");
             emit Advisor()->toggleRequested(2);
         },
         "Card3=Card back (off) | lblDiscard3=hidden"},
        {"a bet", [](T& t) { t.Click("cmdAddBet"); },
         "lblTitle=Bet of $5 placed. Once you deal, the best holds will be listed here, ranked by "
         "expected payback. | cmdMarkBest=off"},
        {"a pair of twos dealt",
         [](T& t) {
             t.Deal(HandOf({{2, 1}, {9, 4}, {2, 3}, {5, 2}, {13, 1}}));
         },
         "lblRank1=1. | lblHold1=Keep Two of Clubs, Two of Hearts — returns 2.1921 × bet | "
         "lblYourMarks=Your marks: returns 1.0000 × bet, 1.1921 × bet less than the best. | "
         "cmdMarkBest=on"},
        {"the other three clicked",
         [](T& t) { t.Click("Card2"), t.Click("Card4"), t.Click("Card5"); },
         "lblYourMarks=Your marks: returns 2.1921 × bet, a best hold."},
        {"the draw",
         [](T& t) {
             t.Draw({Card(4, 4), Card(6, 4), Card(7, 4)});
         },
         "lblTitle=" + NothingDealt +
             " | lblRank1= | lblHold1= | lblYourMarks= | cmdMarkBest=off | "
             "lblRoundsAdvised=Rounds advised: 1 | lblRoundsBest=Rounds whose discards were a "
             "best hold: 1"},
        {"two holds as good as each other",
         [](T& t) {
             t.BetAndDeal(HandOf({{8, 1}, {4, 2}, {7, 3}, {2, 1}, {14, 4}}));
         },
         "lblRank1=1. | lblHold1=Keep Eight of Clubs — returns 0.8935 × bet | lblRank2== | "
         "lblHold2=Keep Seven of Hearts — returns 0.8935 × bet | lblRank3=3."},
        {"Mark Best Hold clicked twice on four to a royal, a keeper marked before",
         [](T& t) {
             t.Draw(); // standing pat on nothing: less than keeping the eight
             t.BetAndDeal(FourToARoyal);
             t.Click("Card1");
             t.Click("cmdMarkBest"), t.Click("cmdMarkBest");
         },
         "Card1=Ten of Clubs | lblDiscard1=hidden | Card5=Three of Diamonds, Marked for discard | "
         "lblDiscard5=DISCARD | lblYourMarks=Your marks: returns 5.3846 × bet, a best hold."},
        {"Mark Best Hold by Space",
         [](T& t) {
             t.Draw({Card(2, 4)}), t.BetAndDeal(FourToARoyal);
             t.Keys("Space", "cmdMarkBest");
         },
         "Card1=Ten of Clubs | Card5=Three of Diamonds, Marked for discard"},
        {"Mark Best Hold by Return",
         [](T& t) {
             t.Draw({Card(2, 4)}), t.BetAndDeal(FourToARoyal);
             t.Keys("Return", "cmdMarkBest");
         },
         "Card1=Ten of Clubs | Card5=Three of Diamonds, Marked for discard"},
        {"after the draw, Mark Best Hold marks nothing, even asked directly",
         [](T& t) {
             t.Draw({Card(2, 4)}), t.Click("cmdMarkBest");
             emit Advisor()->toggleRequested(2);
         },
         "Card3=Queen of Clubs (off) | lblDiscard3=hidden"},
        {"closed by Esc, a $10 round stood pat without it, opened again",
         [](T& t) {
             QTest::keyClick(Advisor(), Qt::Key_Escape);
             EXPECT_EQ(Advisor(), nullptr);
             t.BetAndDeal(FourToARoyal, "10"), t.Draw();
             t.Click("mnuAdvisor");
             EXPECT_TRUE(QTest::qWaitFor(
                 [] { return !test::Look(*Advisor(), "lblFigures").startsWith(u"Computing"); }));
         },
         "lblRoundsAdvised=Rounds advised: 6 | lblRoundsBest=Rounds whose discards were a best "
         "hold: 4 | lblGivenUp=Expected dollars given up by the other choices: $58.31 | "
         "lblFigures=Perfect play returns 2.1768 × bet; standing pat returns 0.8869 × bet."},
        {"the game's end closes it",
         [](T& t) {
             t.window->close();
             EXPECT_EQ(Advisor(), nullptr);
         }},
    });
}

TEST_F(AdvisorWindowTest, TheTrainerAsksBeforeACostlyDrawAndTheSessionIsListed) {
    Start();
    const std::string csv = files.root / "session.csv";
    const std::string royalWarning =
        "less than the best.\rKeep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs: "
        "returns 5.3846 × bet.\rDraw anyway?";
    Run({
        {"Trainer Mode on", [](T& t) { t.Click("mnuTrainer"); }, "mnuTrainer=checked", "", "",
         "\"Trainer\"=dword:00000001"},
        {"throwing the jack of a royal draw is asked first; No goes back to marking",
         [](T& t) {
             t.BetAndDeal(FourToARoyal);
             t.Answers({"&No"}), t.Click("Card2"), t.Click("cmdDeal");
         },
         "lblLastHand=No Hand Played | Card2=Jack of Clubs, Marked for discard | Card5=Three of "
         "Diamonds | cmdDeal=on",
         "Corvanta - Trainer: Your discards return 0.3077 × bet: a large mistake, 5.0769 × bet " +
             royalWarning},
        {"the best hold draws without a question",
         [](T& t) { t.Click("Card2"), t.Click("Card5"), t.Draw({Card(14, 1)}); },
         "lblLastHand=Royal Flush"},
        {"standing pat is asked too; Yes draws",
         [](T& t) {
             t.BetAndDeal(FourToARoyal);
             t.Answers({"&Yes"}), t.Click("cmdDeal");
         },
         "lblLastHand=Not a Winning Hand",
         "Corvanta - Trainer: Your discards return 0.0000 × bet: a large mistake, 5.3846 × bet " +
             royalWarning},
        {"a small mistake",
         [](T& t) {
             t.BetAndDeal(HandOf({{14, 4}, {3, 4}, {11, 1}, {5, 1}, {6, 3}}));
             t.Click("Card3"), t.Click("Card4"), t.Click("Card5");
             t.Answers({"&Yes"}), t.Draw({Card(9, 2), Card(9, 3), Card(4, 1)});
         },
         "",
         "Corvanta - Trainer: Your discards return 0.8453 × bet: a small mistake, 0.0483 × bet "
         "less than the best.\rKeep Six of Hearts: returns 0.8935 × bet.\rDraw anyway?"},
        {"the advisor lists the rounds newest first", [](T& t) { t.Click("mnuAdvisor"); },
         "lblGrades=Accuracy: 33.3 %; small mistakes: 1; large mistakes: 1 | tblRounds=3; A♠ 3♠ "
         "J♣ 5♣ 6♥; J♣ 5♣ 6♥; Keep Six of Hearts; $0.24 / 2; 10♣ J♣ Q♣ K♣ 3♦; none; Keep Ten of "
         "Clubs, Jack of Clubs, Queen of Clubs, King of Clubs; $26.92 / 1; 10♣ J♣ Q♣ K♣ 3♦; 3♦; "
         "Keep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs; —"},
        {"Save List as CSV",
         [csv](T& t) {
             t.Answers({[csv](QWidget& dialog) {
                 auto* files = qobject_cast<QFileDialog*>(&dialog);
                 ASSERT_NE(files, nullptr);
                 files->selectFile(QString::fromStdString(csv));
                 static_cast<QDialog*>(files)->accept(); // as its Save button does
             }});
             t.Click("cmdSaveList");
         },
         "", "Corvanta - Save List: "},
        {"Trainer Mode off, and so at the next start",
         [](T& t) { t.Click("mnuTrainer"), t.Restart(); }, "mnuTrainer=on", "", "",
         "\"Trainer\"=dword:00000000"},
        {"standing pat passes without a question",
         [](T& t) { t.BetAndDeal(FourToARoyal), t.Click("cmdDeal"); },
         "lblLastHand=Not a Winning Hand"},
    });
    EXPECT_EQ(
        test::ReadBytes(csv),
        "Round,Dealt hand,Discards,Best hold,Bet,Return given up (x bet),Dollars given up,Grade\r\n"
        "3,\"Ace of Spades, Three of Spades, Jack of Clubs, Five of Clubs, Six of Hearts\",\"Jack "
        "of Clubs, Five of Clubs, Six of Hearts\",Keep Six of Hearts,5,0.0483,0.24,Small "
        "mistake\r\n"
        "2,\"Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs, Three of "
        "Diamonds\",,\"Keep "
        "Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs\",5,5.3846,26.92,Large "
        "mistake\r\n"
        "1,\"Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs, Three of Diamonds\",Three "
        "of Diamonds,\"Keep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs\",5,0.0000,"
        "0.00,Best hold\r\n");
}

// The line of the bankroll over the starting amount, at two sizes: the plot stands inside
// margins of 56 (left), 12 (right), 10 (top) and 20 (bottom) pixels, and its amounts run from
// a tenth of the range below the lowest to a tenth above the highest.
TEST(BankrollChart, DrawsTheBankrollOverTheStartingLineAtAnySize) {
    for (const auto& [width, height] : {std::pair{300, 120}, std::pair{600, 240}}) {
        SCOPED_TRACE(width);
        BankrollChart chart;
        chart.resize(width, height);
        chart.Show(200, {195, 185, 205}); // amounts 183..207 on the plot
        const QImage image = chart.grab().toImage();
        const auto yOf = [&](double amount) {
            return height - 21 - (height - 30) * (amount - 183) / 24;
        };
        // The middle of the last rise, from round 2 ($185) to round 3 ($205).
        const int x = static_cast<int>(56 + (width - 68) * 2.5 / 3);
        bool line = false;
        for (int dy = -3; dy <= 3; ++dy) {
            const QColor pixel = image.pixelColor(x, static_cast<int>(yOf(195)) + dy);
            line = line || (pixel.green() > 80 && pixel.red() < 100 && pixel.blue() < 100);
        }
        EXPECT_TRUE(line) << "at " << x;
        // The starting line: dashes in its colour along the row of $200.
        int dashes = 0;
        for (int column = 57; column < width - 13; ++column) {
            const QColor pixel = image.pixelColor(column, static_cast<int>(yOf(200) + 0.5));
            dashes += pixel.red() > 150 && pixel.green() > 80 && pixel.blue() < 60 ? 1 : 0;
        }
        EXPECT_GT(dashes, (width - 68) / 4);
    }
}

} // namespace
} // namespace corvanta
