// frmAdvisor and the trainer: the advisor window follows the table, marks the best hold as
// clicks would and counts the session; the trainer asks before a costly draw, is remembered,
// and the session is listed newest first, saved as CSV and drawn as a chart.
#include "WindowTesting.h"

#include "ui/frmAdvisor/AdvisorWindow.h"
#include "ui/frmAdvisor/BankrollChart.h"

#include <QFileDialog>
#include <QPainter>
#include <QTest>

namespace corvanta {
namespace {

const std::string NothingDealt = "lblTitle=No cards are dealt. Once you bet and deal, the best "
                                 "holds will be listed here, ranked by expected payback.";

// The return tables, best category first: payout, probability and contribution of each, and
// the totals. Standing pat, a category's probability is its count of five-card hands over 52^5
// (480 royal flushes: 0.0001262 %; 175 032 000 single pairs: 46.04 %).
const std::string PerfectPlayRows =
    "tblPerfectPlay=Royal Flush; 100x; 0.0009832 %; 0.0010 / Straight Flush; 50x; 0.008038 %; "
    "0.0040 / Five of a Kind; 40x; 0.06734 %; 0.0269 / Four of a Kind; 25x; 1.603 %; 0.4008 / "
    "Full House; 12x; 2.84 %; 0.3408 / Flush; 8x; 2.856 %; 0.2285 / Straight; 5x; 0.6748 %; "
    "0.0337 / Three of a Kind; 3x; 12.73 %; 0.3819 / Two Pair; 2x; 15.84 %; 0.3168 / One Pair; "
    "1x; 44.24 %; 0.4424 / Not a Winning Hand; —; 19.14 %; 0.0000 / All rounds; ; 100 %; 2.1768";
const std::string StandPatRows =
    "tblStandPat=Royal Flush; 100x; 0.0001262 %; 0.0001 / Straight Flush; 50x; 0.00101 %; "
    "0.0005 / Five of a Kind; 40x; 0.003501 %; 0.0014 / Four of a Kind; 25x; 0.2101 %; 0.0525 / "
    "Full House; 12x; 0.4185 %; 0.0502 / Flush; 8x; 0.3887 %; 0.0311 / Straight; 5x; 0.2897 %; "
    "0.0145 / Three of a Kind; 3x; 4.604 %; 0.1381 / Two Pair; 2x; 6.905 %; 0.1381 / One Pair; "
    "1x; 46.04 %; 0.4604 / Not a Winning Hand; —; 41.14 %; 0.0000 / All rounds; ; 100 %; 0.8869";

AdvisorWindow* Advisor() {
    return qobject_cast<AdvisorWindow*>(test::TopLevel("frmAdvisor"));
}

using AdvisorWindowTest = test::GameTest;
using T = test::GameTest;

TEST_F(AdvisorWindowTest, FollowsTheTableAndMarksTheBestHoldAsClicksWould) {
    Start();
    const std::string bestHold = " Card1=Ten of Clubs | lblDiscard1=hidden | Card5=Three of "
                                 "Diamonds, Marked for discard | lblDiscard5=DISCARD";
    Run({
        {"Ctrl+H from the bet box opens it, the bet box left alone", "press txtBet Ctrl+H",
         "frmAdvisor=Corvanta - Hold Advisor | txtBet=5 | " + NothingDealt +
             " | lblHold1= | cmdMarkBest=&Mark Best Hold (off) | lblRoundsAdvised=Rounds "
             "advised: 0"},
        {"asked again while minimized: the same window, shown", "click mnuAdvisor",
         "frmAdvisor=Corvanta - Hold Advisor", "", "", "",
         [](T&) {
             Advisor()->showMinimized();
         }},
        {"Mark Best Hold before any bet, even asked directly, marks nothing", "click cmdMarkBest",
         "Card3=Card back (off) | lblDiscard3=hidden", "", "", "",
         [](T&) {
             EXPECT_FALSE(Advisor()->isMinimized()); // shown again by the menu entry
             emit Advisor()->markBestHoldRequested();
         }},
        {"a bet", "bet 5",
         "lblTitle=Bet of $5 placed. Once you deal, the best holds will be listed here, ranked by "
         "expected payback. | cmdMarkBest=&Mark Best Hold (off)"},
        {"a pair of twos dealt", "deal 2C 9S 2H 5D KC",
         "lblRank1=1. | lblHold1=Keep Two of Clubs, Two of Hearts — returns 2.1921 × bet | "
         "lblYourMarks=Your marks: returns 1.0000 × bet, 1.1921 × bet less than the best. | "
         "cmdMarkBest=&Mark Best Hold"},
        {"the other three clicked", "click Card2 Card4 Card5",
         "lblYourMarks=Your marks: returns 2.1921 × bet, a best hold."},
        {"the draw", "deal 4S 6S 7S",
         NothingDealt +
             " | lblRank1= | lblHold1= | lblYourMarks= | cmdMarkBest=&Mark Best Hold (off) | "
             "lblRoundsAdvised=Rounds advised: 1 | lblRoundsBest=Rounds whose discards were a best "
             "hold: 1"},
        {"two holds as good as each other", "bet 5; deal 8C 4D 7H 2C AS",
         "lblRank1=1. | lblHold1=Keep Eight of Clubs — returns 0.8935 × bet | lblRank2== | "
         "lblHold2=Keep Seven of Hearts — returns 0.8935 × bet | lblRank3=3."},
        {"Mark Best Hold clicked twice on four to a royal, a keeper marked before: the three goes",
         "click cmdDeal; bet 5; deal TC JC QC KC 3D; click Card1 cmdMarkBest cmdMarkBest",
         "lblYourMarks=Your marks: returns 5.3846 × bet, a best hold. |" + bestHold},
        {"Mark Best Hold by Space", "deal 2S; bet 5; deal TC JC QC KC 3D; press cmdMarkBest Space",
         bestHold},
        {"closed by Esc, a $10 round stood pat without it, opened again",
         "press cmdMarkBest Esc; expect frmAdvisor=<none>; deal 2S; bet 10; deal TC JC QC KC 3D; "
         "click cmdDeal mnuAdvisor",
         "lblRoundsAdvised=Rounds advised: 5 | lblRoundsBest=Rounds whose discards were a best "
         "hold: 3 | lblGivenUp=Expected dollars given up by the other choices: $58.31"},
        {"the game's return, once computed", "",
         "lblFigures=Perfect play returns 2.1768 × bet; standing pat returns 0.8869 × bet. | " +
             PerfectPlayRows + " | " + StandPatRows,
         "", "", "",
         [](T&) {
             EXPECT_TRUE(QTest::qWaitFor(
                 [] { return !test::Look(*Advisor(), "lblFigures").startsWith(u"Computing"); }));
         }},
        {"the game's end closes it", "click cmdExit", "frmAdvisor=<none>"},
    });
}

// Ctrl+B, Ctrl+D, Ctrl+T and Enter for Deal reach the game from the advisor; a focused Mark
// Best Hold still takes Enter.
TEST_F(AdvisorWindowTest, TheGameKeysWorkWhileItHasTheFocus) {
    Start();
    Run({
        {"opened", "click mnuAdvisor", "frmAdvisor=Corvanta - Hold Advisor"},
        {"Ctrl+B in its list places a bet", "answer 10; press viewSession Ctrl+B",
         "lblBetAmount=$10",
         "Corvanta - Place Bet: Enter the amount of money you would like to bet: | "},
        {"Ctrl+D in its return table deals", "cards TC JC QC KC 3D; press viewReturns Ctrl+D",
         "Card1=Ten of Clubs | cmdMarkBest=&Mark Best Hold"},
        {"Enter on Mark Best Hold marks", "press cmdMarkBest Return",
         "Card5=Three of Diamonds, Marked for discard | lblLastHand=No Hand Played"},
        {"Enter in its list draws", "cards AC; press viewSession Return",
         "lblLastHand=Royal Flush | Card5=Ace of Clubs (off) | lblRoundsPlayed=1"},
        {"Ctrl+T in the window turns the trainer on", "press frmAdvisor Ctrl+T",
         "mnuTrainer=&Trainer Mode (checked)", "", "", "\"Trainer\"=dword:00000001"},
    });
}

TEST_F(AdvisorWindowTest, TheTrainerAsksBeforeACostlyDrawAndTheSessionIsListed) {
    Start();
    const std::string csv = files.root / "corvanta-session.csv";
    const std::string royalWarning =
        " × bet less than the best.\rKeep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of "
        "Clubs: returns 5.3846 × bet.\rDraw anyway?";
    Run({
        {"Trainer Mode on, and so at the next start", "click mnuTrainer; restart",
         "mnuTrainer=&Trainer Mode (checked)", "", "", "\"Trainer\"=dword:00000001"},
        {"throwing the jack of a royal draw is asked first; No goes back to marking",
         "bet 5; deal TC JC QC KC 3D; answer &No; click Card2 cmdDeal",
         "lblLastHand=No Hand Played | Card2=Jack of Clubs, Marked for discard | Card5=Three of "
         "Diamonds | cmdDeal=&Deal",
         "Corvanta - Trainer: Your discards return 0.3077 × bet: a large mistake, 5.0769" +
             royalWarning},
        {"the best hold draws without a question", "click Card2 Card5; deal AC",
         "lblLastHand=Royal Flush"},
        {"standing pat is asked too; Yes draws",
         "bet 5; deal TC JC QC KC 3D; answer &Yes; click cmdDeal", "lblLastHand=Not a Winning Hand",
         "Corvanta - Trainer: Your discards return 0.0000 × bet: a large mistake, 5.3846" +
             royalWarning},
        {"a small mistake",
         "bet 5; deal AS 3S JC 5C 6H; click Card3 Card4 Card5; answer &Yes; deal 9D 9H 4C", "",
         "Corvanta - Trainer: Your discards return 0.8453 × bet: a small mistake, 0.0483 × bet "
         "less than the best.\rKeep Six of Hearts: returns 0.8935 × bet.\rDraw anyway?"},
        {"the advisor lists the rounds newest first", "click mnuAdvisor",
         "lblGrades=Accuracy: 33.3 %; small mistakes: 1; large mistakes: 1 | tblRounds=3; A♠ 3♠ J♣ "
         "5♣ 6♥; J♣ 5♣ 6♥; Keep Six of Hearts; $0.24 / 2; 10♣ J♣ Q♣ K♣ 3♦; none; Keep Ten of "
         "Clubs, Jack of Clubs, Queen of Clubs, King of Clubs; $26.92 / 1; 10♣ J♣ Q♣ K♣ 3♦; 3♦; "
         "Keep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs; —"},
        {"Save List as CSV", "click cmdSaveList", "", "Corvanta - Save List: ", "", "",
         [csv](T& t) {
             t.Answers({[csv](QWidget& dialog) {
                 qobject_cast<QFileDialog*>(&dialog)->selectFile(QString::fromStdString(csv));
                 static_cast<QDialog&>(dialog).accept(); // as its Save button does
             }});
         }},
        {"Trainer Mode off, and so at the next start", "click mnuTrainer; restart",
         "mnuTrainer=&Trainer Mode", "", "", "\"Trainer\"=dword:00000000"},
        {"standing pat passes without a question", "bet 5; deal TC JC QC KC 3D; click cmdDeal",
         "lblLastHand=Not a Winning Hand"},
    });
    EXPECT_EQ(
        test::ReadBytes(csv),
        "Round,Dealt hand,Discards,Best hold,Bet,Return given up (x bet),Dollars given "
        "up,Grade\r\n"
        "3,\"Ace of Spades, Three of Spades, Jack of Clubs, Five of Clubs, Six of Hearts\",\"Jack "
        "of Clubs, Five of Clubs, Six of Hearts\",Keep Six of Hearts,5,0.0483,0.24,Small "
        "mistake\r\n"
        "2,\"Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs, Three of "
        "Diamonds\",,\"Keep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of "
        "Clubs\",5,5.3846,26.92,Large mistake\r\n"
        "1,\"Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs, Three of "
        "Diamonds\",Three of Diamonds,\"Keep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of "
        "Clubs\",5,0.0000,0.00,Best hold\r\n");
}

// The line of the bankroll over the starting amount, at two sizes: the plot stands inside
// margins of 56 (left), 12 (right), 10 (top) and 20 (bottom) pixels, and its amounts run from
// a tenth of the range below the lowest to a tenth above the highest.
TEST(BankrollChart, DrawsTheBankrollOverTheStartingLineAtAnySize) {
    for (const auto& [width, height] : {std::pair{300, 120}, std::pair{600, 240}}) {
        BankrollChart chart;
        chart.resize(width, height);
        chart.Show(200, {195, 185, 205}); // amounts 183..207 on the plot
        const QImage image = chart.grab().toImage();
        const auto y = [&](double amount) {
            return static_cast<int>(height - 20.5 - (height - 30) * (amount - 183) / 24);
        };
        // The line's green in the middle of the last rise, from round 2 ($185) to round 3
        // ($205), and the starting line's dashes along the row of $200.
        const int x = static_cast<int>(56 + (width - 68) * 2.5 / 3);
        int line = 0;
        int dashes = 0;
        for (int dy = -3; dy <= 3; ++dy) {
            const QColor p = image.pixelColor(x, y(195) + dy);
            line += p.green() > 80 && p.red() < 100 && p.blue() < 100 ? 1 : 0;
        }
        for (int column = 57; column < width - 13; ++column) {
            const QColor p = image.pixelColor(column, y(200));
            dashes += p.red() > 150 && p.green() > 80 && p.blue() < 60 ? 1 : 0;
        }
        EXPECT_GT(line, 0) << width;
        EXPECT_GT(dashes, (width - 68) / 4) << width;
    }
}

// The ink of an image's part (whatever is not white), cut to the box around it.
QImage Ink(const QImage& image, const QRect& part) {
    QRect box;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            box |= image.pixel(x, y) != qRgb(255, 255, 255) ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return image.copy(box);
}

// A text as the chart writes its amounts: in its font, grey on white, flush right in the 52
// pixels left of the plot (where a glyph starts between two pixels changes how it is drawn).
QImage Written(const char* text, const QFont& font) {
    QImage image(52, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(90, 90, 90));
    painter.drawText(image.rect(), Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8(text));
    painter.end();
    return Ink(image, image.rect());
}

// Left of the plot, at its top and at its bottom: the highest and the lowest bankroll of the
// session, the starting one among them.
TEST(BankrollChart, WritesTheHighestAndLowestAmountBesideThePlot) {
    struct Row {
        std::int64_t starting;
        std::vector<std::int64_t> rounds;
        const char* highest;
        const char* lowest;
    };
    const Row rows[] = {
        {200, {195, 185, 205}, "$205", "$185"},
        {200, {210, 230, 220}, "$230", "$200"},
        {150, {}, "$150", "$150"},
        {-20, {-40, 10}, "$10", "$-40"},
    };
    for (const Row& row : rows) {
        BankrollChart chart;
        chart.resize(300, 120);
        chart.Show(row.starting, row.rounds);
        const QImage image = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int left = BankrollChart::LeftMargin - 2; // the plot's frame stands right of it
        EXPECT_EQ(Ink(image, {0, 0, left, 60}), Written(row.highest, chart.font())) << row.highest;
        EXPECT_EQ(Ink(image, {0, 60, left, 60}), Written(row.lowest, chart.font())) << row.lowest;
    }
}

} // namespace
} // namespace corvanta
