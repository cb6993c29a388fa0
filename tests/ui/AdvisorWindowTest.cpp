// frmAdvisor and the trainer: the advisor window follows the table, marks the best hold as
// clicks would and counts the session; the trainer asks before a costly draw, is remembered,
// and the session is listed newest first, saved as CSV and drawn as a chart.
#include "WindowTesting.h"

#include "support/GameCards.h"
#include "support/SavedFiles.h"
#include "ui/Widgets.h"
#include "ui/frmAdvisor/AdvisorWindow.h"
#include "ui/frmAdvisor/BankrollChart.h"
#include "ui/frmAdvisor/LineLabel.h"
#include "ui/frmAdvisor/RoundsModel.h"
#include "ui/frmAdvisor/RoundsTable.h"
#include "ui/frmAdvisor/SessionRounds.h"
#include "ui/frmAdvisor/WindowPlace.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace corvanta {
namespace {

const std::string NothingDealt = "lblTitle=No cards are dealt. The best holds for the next hand "
                                 "dealt will be listed here, ranked by expected payback.";

// The return tables, best category first: payout, probability and contribution of each, and
// the totals. Standing pat, a category's probability is its count of five-card hands over 52^5
// (480 royal flushes: 0.0001262 %; 175 032 000 single pairs: 46.04 %).
const std::string PerfectPlayRows =
    "tblPerfectPlay=Royal Flush; 100x; 0.0009832 %; 0.0010 / Straight Flush; 50x; 0.008038 %; "
    "0.0040 / Five of a Kind; 40x; 0.06734 %; 0.0269 / Four of a Kind; 25x; 1.603 %; 0.4008 / "
    "Full House; 12x; 2.84 %; 0.3408 / Flush; 8x; 2.856 %; 0.2285 / Straight; 5x; 0.6748 %; "
    "0.0337 / Three of a Kind; 3x; 12.73 %; 0.3819 / Two Pair; 2x; 15.84 %; 0.3168 / One Pair; "
    "1x; 44.24 %; 0.4424 / Not a Winning Hand; —; 19.14 %; 0.0000 / All rounds; ; 100 %; "
    "2.1767678985";
const std::string StandPatRows =
    "tblStandPat=Royal Flush; 100x; 0.0001262 %; 0.0001 / Straight Flush; 50x; 0.00101 %; "
    "0.0005 / Five of a Kind; 40x; 0.003501 %; 0.0014 / Four of a Kind; 25x; 0.2101 %; 0.0525 / "
    "Full House; 12x; 0.4185 %; 0.0502 / Flush; 8x; 0.3887 %; 0.0311 / Straight; 5x; 0.2897 %; "
    "0.0145 / Three of a Kind; 3x; 4.604 %; 0.1381 / Two Pair; 2x; 6.905 %; 0.1381 / One Pair; "
    "1x; 46.04 %; 0.4604 / Not a Winning Hand; —; 41.14 %; 0.0000 / All rounds; ; 100 %; "
    "0.8869330455";

// Counts the paint events of the widgets it filters.
struct PaintCounter : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

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
        {"a bet: the table shows it, the advisor waits for the cards", "bet 5",
         NothingDealt + " | lblHold1= | cmdMarkBest=&Mark Best Hold (off)"},
        {"a pair of twos dealt", "deal 2C 9S 2H 5D KC",
         "lblRank1=1. | lblHold1=Keep Two of Clubs, Two of Hearts — returns 2.1921 × bet | "
         "lblYourMarks=Your marks: returns 1.0000 × bet, 1.1921 × bet less than the best. | "
         "cmdMarkBest=&Mark Best Hold"},
        {"the other three clicked", "click Card2 Card4 Card5",
         "lblYourMarks=Your marks: returns 2.1921 × bet, a best hold."},
        {"the draw: the holds and the marks drawn with stay for review", "deal 4S 6S 7S",
         "lblTitle=Best holds for the hand dealt, by expected payback per dollar bet (\"=\": as "
         "good as the hold above): | lblRank1=1. | "
         "lblHold1=Keep Two of Clubs, Two of Hearts — returns 2.1921 × bet | "
         "lblYourMarks=Your marks: returns 2.1921 × bet, a best hold. | "
         "cmdMarkBest=&Mark Best Hold (off) | "
         "lblRoundsAdvised=Rounds advised: 1 | lblRoundsBest=Rounds whose discards were a best "
         "hold: 1"},
        {"the next bet: the review stays until the deal", "bet 5",
         "lblHold1=Keep Two of Clubs, Two of Hearts — returns 2.1921 × bet | "
         "cmdMarkBest=&Mark Best Hold (off)"},
        {"two holds as good as each other", "deal 8C 4D 7H 2C AS",
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
         "lblFigures=Perfect play returns 2.1767678985 × bet; standing pat returns 0.8869330455 × "
         "bet. | " +
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
         "lblGrades=Accuracy: 33.3 %; small mistakes: 1; large mistakes: 1 | tblRounds=3; Classic; "
         "A♠ 3♠ J♣ 5♣ 6♥; J♣ 5♣ 6♥; Keep Six of Hearts; $0.24 / 2; Classic; 10♣ J♣ Q♣ K♣ 3♦; "
         "none; Keep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs; $26.92 / 1; "
         "Classic; 10♣ J♣ Q♣ K♣ 3♦; 3♦; Keep Ten of Clubs, Jack of Clubs, Queen of Clubs, King "
         "of Clubs; —"},
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
        "Round,Game,Dealt hand,Discards,Best hold,Bet,Return given up (x bet),Dollars given "
        "up,Grade\r\n"
        "3,Classic,\"Ace of Spades, Three of Spades, Jack of Clubs, Five of Clubs, Six of "
        "Hearts\",\"Jack "
        "of Clubs, Five of Clubs, Six of Hearts\",Keep Six of Hearts,5,0.0483,0.24,Small "
        "mistake\r\n"
        "2,Classic,\"Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs, Three of "
        "Diamonds\",,\"Keep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of "
        "Clubs\",5,5.3846,26.92,Large mistake\r\n"
        "1,Classic,\"Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs, Three of "
        "Diamonds\",Three of Diamonds,\"Keep Ten of Clubs, Jack of Clubs, Queen of Clubs, King of "
        "Clubs\",5,0.0000,0.00,Best hold\r\n");
}

// One row of a table of the advisor, its cells between "; ".
QString Row(const char* table, int row) {
    auto* view = qobject_cast<QAbstractItemView*>(test::Find(*Advisor(), table));
    QStringList cells;
    for (int column = 0; view != nullptr && column < view->model()->columnCount(); ++column) {
        cells << view->model()->index(row, column).data().toString();
    }
    return cells.join(QStringLiteral("; "));
}

// The game chosen is the game advised: its holds, its hands and pays, its exact returns.
TEST_F(AdvisorWindowTest, AdvisesTheGameChosenWithItsOwnReturnTables) {
    Start();
    Run({
        {"a pair of twos dealt in the classic", "bet 5; deal 2C 9S 2H 5D KC; click mnuAdvisor",
         "lblHold1=Keep Two of Clubs, Two of Hearts — returns 2.1921 × bet"},
        {"Jacks or Better chosen: its tables are computed, a busy bar meanwhile", "",
         "lblFiguresHeading=Jacks or Better 9/6: the return per round, as a multiple of the bet | "
         "lblPerfectPlay=Jacks or Better 9/6 under perfect play | lblStandPat=Jacks or Better "
         "9/6 when standing pat | barComputing=Computing the return tables",
         "", "", "",
         [](T& t) {
             emit t.game->model.gameChanged(JacksOrBetter);
         }},
        {"then shown, exact", "",
         "lblFigures=Perfect play returns 0.9954390437 × bet; standing pat returns 0.3368670545 × "
         "bet. | barComputing=hidden | lblHold1=Keep Two of Clubs, Two of Hearts — returns "
         "0.8237 × bet",
         "", "", "",
         [](T&) {
             EXPECT_TRUE(QTest::qWaitFor(
                 [] { return !test::Look(*Advisor(), "lblFigures").startsWith(u"Computing"); },
                 120'000));
         }},
        {"the draw keeps the holds; a game chosen then clears them, ranked by other pays",
         "click cmdDeal; expect lblHold1=Keep Two of Clubs, Two of Hearts — returns 0.8237 × bet; "
         "click mnuJacksOrBetter",
         NothingDealt + " | lblRank1= | lblHold1= | lblYourMarks="},
    });
    EXPECT_EQ(Row("tblPerfectPlay", 0), u"Royal Flush; 800x; 0.002476 %; 0.0198");
    EXPECT_EQ(Row("tblPerfectPlay", 4), u"Flush; 6x; 1.101 %; 0.0661");
    EXPECT_EQ(Row("tblPerfectPlay", 8), u"Jacks or Better; 1x; 21.46 %; 0.2146");
    EXPECT_EQ(Row("tblPerfectPlay", 10), u"All rounds; ; 100 %; 0.9954390437");
    EXPECT_EQ(Row("tblStandPat", 9), u"Not a Winning Hand; —; 79.37 %; 0.0000");
}

// Each round names its game, in the list (which grows by one row a round, newest first) and
// in the saved list.
TEST(RoundsModel, NamesTheGameOfEachRoundAndGrowsByARowARound) {
    TrainingSession session;
    session.Start(100);
    const DiscardMarks none{};
    session.Record(JacksOrBetter, test::Cards(Classic, "As Ah 9c 5d 2s"), none, 5, 95);
    RoundsModel rounds(session, nullptr);
    QSignalSpy inserted(&rounds, &QAbstractItemModel::rowsInserted);
    session.Record(Classic, test::Cards(Classic, "As Ah 9c 5d 2s"), none, 5, 90);
    rounds.Follow();
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 0);
    ASSERT_EQ(rounds.rowCount(), 2);
    const auto cell = [&](int row, int column) {
        return rounds.index(row, column).data().toString();
    };
    EXPECT_EQ(cell(0, RoundsModel::GameColumn), u"Classic");
    EXPECT_EQ(cell(1, RoundsModel::RoundColumn), u"1");
    EXPECT_EQ(cell(1, RoundsModel::GameColumn), u"Jacks or Better 9/6");
    EXPECT_EQ(cell(1, RoundsModel::BestColumn), u"Keep Ace of Spades, Ace of Hearts");
    EXPECT_EQ(RoundsCsv(session).section(QStringLiteral("\r\n"), 2, 2).section(u',', 0, 1),
              u"1,Jacks or Better 9/6");
}

// The list on the screen as rounds come: scrolled to its top, the rows in sight move down
// and the new round takes the top row; scrolled down, the rows stay where the player put them.
// Either way the screen shows what the list painted afresh shows, its scroll bar included, and
// the scroll bar spans every round.
TEST(RoundsTable, ShowsEachNewRoundOnTopOfTheRowsInSight) {
    TrainingSession session;
    session.Start(100);
    RoundsModel rounds(session, nullptr);
    RoundsTable table(&rounds, nullptr);
    table.resize(700, 200); // the header and about nine rows
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    const auto play = [&](int count) {
        for (int round = 0; round < count; ++round) {
            const char* hands[] = {"As Ah 9c 5d 2s", "Kd Qd Jd Td 2c", "3h 3c 7s 8d Jc"};
            session.Record(Classic, test::Cards(Classic, hands[session.RoundsAdvised() % 3]),
                           DiscardMarks{}, 5, 100 - session.RoundsAdvised());
            rounds.Follow();
            QTest::qWait(1); // the list laid out and painted, as the event loop goes on
        }
    };
    const auto onScreen = [&] {
        return table.screen()
            ->grabWindow(table.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const auto painted = [&] { // the rows, the header and the scroll bars
        return table.grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    play(1);
    EXPECT_EQ(onScreen(), painted()) << "the first round";
    play(13);
    EXPECT_EQ(rounds.index(0, RoundsModel::RoundColumn).data().toString(), u"14");
    EXPECT_EQ(onScreen(), painted()) << "at the top";
    EXPECT_EQ(table.verticalScrollBar()->maximum(), 14 * 18 - table.viewport()->height());
    table.verticalScrollBar()->setValue(40);
    QApplication::processEvents();
    play(3);
    EXPECT_EQ(table.verticalScrollBar()->value(), 40);
    EXPECT_EQ(onScreen(), painted()) << "scrolled down";
    EXPECT_EQ(table.verticalScrollBar()->maximum(), 17 * 18 - table.viewport()->height());
}

// A changing line of the advisor is never cut short: a wider text widens it (and the window's
// least width with it), and a narrower one after leaves it as wide, so the window's layout
// does not move with each round.
TEST(LineLabel, WidensForAWiderTextAndStaysAsWide) {
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* line = new LineLabel(&window, QStringLiteral("lblLine"));
    layout->addWidget(line);
    layout->addStretch();
    window.show();
    const QString wide = QStringLiteral("Keep King of Diamonds, Queen of Diamonds, Jack of "
                                        "Diamonds, Ten of Diamonds — returns 18.6170 × bet");
    line->setText(QStringLiteral("1."));
    QApplication::processEvents();
    const int narrow = line->width();
    line->setText(wide);
    QApplication::processEvents();
    EXPECT_GE(line->width(), line->fontMetrics().horizontalAdvance(wide));
    EXPECT_GE(window.minimumSizeHint().width(), line->fontMetrics().horizontalAdvance(wide));
    const int widened = line->width();
    EXPECT_GT(widened, narrow);
    line->setText(QStringLiteral("2."));
    QApplication::processEvents();
    EXPECT_EQ(line->width(), widened);
}

// A line lays out each text once and keeps the last few: whatever order the texts come in, a
// text shown again, or shown after the font changed, looks as it does on a fresh line; and a
// line cleared when it is empty already is not painted again.
TEST(LineLabel, ATextShownAgainLooksAsOnAFreshLineAndAnEmptyLineStaysUnpainted) {
    const auto picture = [](LineLabel& line) {
        line.setFixedWidth(400); // both lines as wide, whatever they showed before
        return line.grab().toImage();
    };
    const auto fresh = [&](const QString& text, const QFont& font) {
        LineLabel line(nullptr, QStringLiteral("lblFresh"));
        line.setFont(font);
        line.setText(text);
        return picture(line);
    };
    LineLabel line(nullptr, QStringLiteral("lblLine"));
    const QStringList texts = {QStringLiteral("1."),
                               QStringLiteral("="),
                               QStringLiteral("Keep Two of Clubs — returns 2.1921 × bet"),
                               QStringLiteral("2."),
                               QStringLiteral("3."),
                               QStringLiteral("Rounds advised: 12")};
    for (const int shown : {0, 1, 2, 3, 4, 5, 2, 0, 5, 1}) {
        line.setText(texts[shown]);
        EXPECT_EQ(picture(line), fresh(texts[shown], line.font())) << texts[shown].toStdString();
    }
    static_cast<QLabel&>(line).setText(texts[3]); // past the line's own setText
    EXPECT_EQ(picture(line), fresh(texts[3], line.font()));
    QFont bold = line.font();
    bold.setBold(true);
    line.setFont(bold);
    EXPECT_EQ(picture(line), fresh(texts[3], bold));
    LineLabel wide(nullptr, QStringLiteral("lblWide"));
    wide.setText(texts[2]);
    wide.setFont(bold);
    EXPECT_GE(wide.width(), QFontMetrics(bold).horizontalAdvance(texts[2]))
        << "not widened for the new font";
    EXPECT_EQ(wide.height(), QFontMetrics(bold).height());
    wide.setFixedWidth(0); // as narrow as can be: the next text sets the width
    wide.setText(texts[0]);
    wide.setText(texts[2]);
    EXPECT_GE(wide.width(), QFontMetrics(bold).horizontalAdvance(texts[2]))
        << "measured in the old font";

    QWidget window;
    auto* shown = new LineLabel(&window, QStringLiteral("lblShown"));
    shown->setText(texts[2]);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    shown->clear();
    QApplication::processEvents();
    PaintCounter paints;
    shown->installEventFilter(&paints);
    shown->clear();
    shown->setText(QString());
    QApplication::processEvents();
    EXPECT_EQ(paints.count, 0) << "an empty line painted again";
}

// Beside the table on the side with room, the right first; narrowed to the wider side; below;
// on the screen whatever happens; on a second screen as on the first.
TEST(WindowPlace, OpensBesideTheTableNeverOffTheScreen) {
    struct Row {
        const char* what;
        QRect table;
        QSize size;
        QRect screen;
        QRect expected;
    };
    const QRect desktop(0, 0, 1280, 1024);
    const Row rows[] = {
        {"room on the right", {0, 0, 600, 400}, {500, 700}, desktop, {600, 0, 500, 700}},
        {"room on the left only", {700, 100, 500, 400}, {600, 700}, desktop, {100, 100, 600, 700}},
        {"the wider side, narrowed", {300, 0, 580, 400}, {1012, 800}, desktop, {880, 0, 400, 800}},
        {"below, lower", {350, 0, 600, 400}, {1012, 800}, desktop, {268, 400, 1012, 624}},
        {"a table low on the screen: level with the screen's foot",
         {0, 700, 600, 300},
         {500, 700},
         desktop,
         {600, 324, 500, 700}},
        {"no room anywhere: at the screen's foot, over the table's lower part",
         {0, 0, 600, 420},
         {1012, 800},
         {0, 0, 640, 512},
         {0, 212, 640, 300}},
        {"a second screen",
         {1380, 50, 600, 400},
         {500, 700},
         {1280, 0, 1920, 1080},
         {1980, 50, 500, 700}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PlaceBeside(row.table, row.size, row.screen), row.expected) << row.what;
    }
}

TEST(WindowPlace, ARememberedPlaceMustLieWhollyOnOneScreen) {
    const QList<QRect> screens = {{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}};
    const std::pair<QRect, bool> rows[] = {
        {{0, 0, 1280, 1024}, true},     {{1300, 100, 600, 400}, true},
        {{1000, 100, 600, 400}, false}, // across the two
        {{-10, 0, 600, 400}, false},    {{0, 900, 600, 400}, false},
        {{3300, 0, 200, 200}, false},   {{10, 10, 0, 0}, false},
    };
    for (const auto& [frame, fits] : rows) {
        EXPECT_EQ(FitsOnAScreen(frame, screens), fits) << frame.x() << "," << frame.y();
    }
}

// The offscreen desktop is one screen of 800 by 800, its windows framed by 2 pixels. The table at
// its top left (577 by 351 framed) leaves 223 pixels on its right: too narrow, so the advisor
// goes below it, as wide as the screen. Its place is its frame's, its size its own.
TEST_F(AdvisorWindowTest, OpensBesideTheTableOrWhereThePlayerLeftIt) {
    ASSERT_TRUE(
        SaveSettings(files.config, {63, 1, 100, false, std::nullopt, {5000, 20, 400, 300}}).ok);
    Start();
    window->move(0, 0);
    Do("click mnuAdvisor");
    EXPECT_EQ(Advisor()->geometry(), QRect(2, 353, 796, 445)) << "off the screen: beside";
    Advisor()->setGeometry(30, 40, 500, 350);
    Restart();
    EXPECT_NE(files.Settings().find("\"Advisor Left\"=dword:0000001c\n\"Advisor "
                                    "Top\"=dword:00000026\n\"Advisor Width\"=dword:000001f4\n"
                                    "\"Advisor Height\"=dword:0000015e\n"),
              std::string::npos)
        << files.Settings();
    Do("click mnuAdvisor");
    EXPECT_EQ(Advisor()->geometry(), QRect(30, 40, 500, 350)) << "where it was left";
}

// Made small, the advisor scrolls rather than cut a line short or lay one over the tables:
// its widest line, the title of a dealt hand's holds, ends left of the return tables.
TEST_F(AdvisorWindowTest, MadeSmallItScrollsRatherThanCutALine) {
    Start();
    Do("click mnuAdvisor");
    Do("bet 5; deal TC JC QC KC 3D"); // the holds listed under their title
    const auto* title = Advisor()->findChild<QLabel*>(QStringLiteral("lblTitle"));
    const auto* returns = Advisor()->findChild<QWidget*>(QStringLiteral("viewReturns"));
    ASSERT_TRUE(title != nullptr && returns != nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return title->text().startsWith(u"Best holds"); }));
    Advisor()->resize(420, 300);
    QApplication::processEvents();
    const int titleEnd = title->mapTo(Advisor(), QPoint(title->width(), 0)).x();
    EXPECT_GE(title->width(), title->fontMetrics().horizontalAdvance(title->text()));
    EXPECT_LT(titleEnd, returns->mapTo(Advisor(), QPoint(0, 0)).x());
}

// Save List as CSV starts in the documents folder, then where the last list went.
TEST_F(AdvisorWindowTest, SavesTheListFromTheDocumentsFolderThenTheLastUsed) {
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QByteArray::fromStdString(files.root.Path()));
    qunsetenv("XDG_CONFIG_HOME"); // no folders of the player's own: Documents in the home
    std::vector<QString> folders;
    const auto save = [&folders](const std::string& file) {
        return [&folders, file](QWidget& dialog) {
            auto* chooser = qobject_cast<QFileDialog*>(&dialog);
            folders.push_back(chooser->directory().absolutePath());
            // Typed into its name box, as a player would.
            chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QString::fromStdString(file));
            static_cast<QDialog*>(chooser)->accept(); // as its Save button does
        };
    };
    ::mkdir((files.root / "Documents").c_str(), 0700);
    ::mkdir((files.root / "lists").c_str(), 0700);
    Start();
    Run({
        {"a round played, the list saved",
         "bet 5; deal 2C 9S 2H 5D KC; deal 3D 4D 5D; click "
         "mnuAdvisor cmdSaveList",
         "", "Corvanta - Save List: ", "", "",
         [&](T& t) {
             t.Answers({save(files.root / "lists/first.csv")});
         }},
        {"saved again", "click cmdSaveList", "", "Corvanta - Save List: ", "", "",
         [&](T& t) {
             t.Answers({save(files.root / "lists/second.csv")});
         }},
    });
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0], QString::fromStdString(files.root / "Documents"));
    EXPECT_EQ(folders[1], QString::fromStdString(files.root / "lists"));
    EXPECT_NE(test::ReadBytes(files.root / "lists/second.csv"), "<missing>");
}

// The line of the bankroll over the starting amount, at two sizes: the plot stands inside
// margins of 56 (left), 12 (right), 10 (top) and 20 (bottom) pixels. Three rounds from $200
// stand on axes of ten rounds and of $170 to $210: the amounts' axis grew from $199–$201 to
// $190–$205 for $195 (steps of $5), then to $170–$210 for $185 (steps of $10).
TEST(BankrollChart, DrawsTheBankrollOverTheStartingLineAtAnySize) {
    for (const auto& [width, height] : {std::pair{300, 120}, std::pair{600, 240}}) {
        BankrollChart chart;
        chart.resize(width, height);
        chart.Show(200, {195, 185, 205});
        const QImage image = chart.grab().toImage();
        const auto y = [&](double amount) {
            return static_cast<int>(height - 21 - (height - 30) * (amount - 170) / 40);
        };
        // The line's green in the middle of the last rise, from round 2 ($185) to round 3
        // ($205), and the starting line's dashes along the row of $200.
        const int x = static_cast<int>(56 + (width - 68) * 2.5 / 10);
        int line = 0;
        int dashes = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            const QColor p = image.pixelColor(x, y(195) + dy);
            line += p.green() > 80 && p.red() < 100 && p.blue() < 100 ? 1 : 0;
        }
        for (int column = 57; column < width - 13; ++column) {
            const QColor p = image.pixelColor(column, y(200));
            dashes += p.red() > 150 && p.green() > 80 && p.blue() < 60 ? 1 : 0;
        }
        EXPECT_GT(line, 0) << width;
        EXPECT_GT(dashes, (width - 68) / 4) << width;
        EXPECT_EQ(image.pixelColor(x + (width - 68) / 5, y(205)), QColor(Qt::white))
            << "nothing right of the last round";
    }
}

// Rounds added one by one to a chart on the screen, each painting only its own stroke, and
// the axes growing twice on the way (past $220, and past ten rounds), leave on the screen
// the chart drawn at once from all of them.
TEST(BankrollChart, RoundsAddedOneByOneShowTheChartDrawnAtOnce) {
    const std::vector<std::int64_t> rounds = {195, 185, 205, 210, 240, 230, 225,
                                              250, 245, 235, 260, 255, 190};
    BankrollChart added;
    added.resize(300, 120);
    added.Start(200);
    added.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&added));
    for (const std::int64_t amount : rounds) {
        added.Add(amount);
        QApplication::processEvents();
    }
    const QImage onScreen =
        added.screen()->grabWindow(added.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    BankrollChart atOnce;
    atOnce.resize(300, 120);
    atOnce.Show(200, rounds);
    const QImage drawn = atOnce.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(onScreen.size(), drawn.size());
    EXPECT_EQ(onScreen, drawn);
}

// The ink of an image's part (whatever is not the paper), cut to the box around it.
QImage Ink(const QImage& image, const QRect& part, QRgb paper) {
    QRect box;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            box |= image.pixel(x, y) != paper ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return image.copy(box);
}

// A text as the chart writes its amounts: in its font, its palette's text on its base, flush
// right in the 52 pixels left of the plot (where a glyph starts between two pixels changes how
// it is drawn).
QImage Written(const char* text, const QWidget& chart) {
    QImage image(52, 60, QImage::Format_RGB32);
    image.fill(chart.palette().color(QPalette::Base));
    QPainter painter(&image);
    painter.setFont(chart.font());
    painter.setPen(chart.palette().color(QPalette::Text));
    painter.drawText(image.rect(), Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8(text));
    painter.end();
    return Ink(image, image.rect(), chart.palette().color(QPalette::Base).rgb());
}

// Left of the plot, at its top and at its bottom, the amounts its axis runs between. It starts
// a dollar either side of the starting amount; a round beyond it grows it to round figures a
// step beyond the session's highest and lowest bankroll, the step at least half their range.
TEST(BankrollChart, WritesTheAxisAmountsBesideThePlot) {
    struct Row {
        std::int64_t starting;
        std::vector<std::int64_t> rounds;
        const char* highest;
        const char* lowest;
    };
    const Row rows[] = {
        {200, {195, 185, 205}, "$210", "$170"}, // steps of $5, then $10
        {200, {210, 230, 220}, "$260", "$180"}, // steps of $5, then $20
        {150, {}, "$151", "$149"},              // steps of $1
        {-20, {-40, 10}, "$100", "$-100"},      // steps of $10, then $50
    };
    for (const Row& row : rows) {
        BankrollChart chart;
        chart.resize(300, 120);
        chart.Show(row.starting, row.rounds);
        const QImage image = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int left = BankrollChart::LeftMargin - 2; // the plot's frame stands right of it
        const QRgb paper = qRgb(255, 255, 255);
        EXPECT_EQ(Ink(image, {0, 0, left, 60}, paper), Written(row.highest, chart)) << row.highest;
        EXPECT_EQ(Ink(image, {0, 60, left, 60}, paper), Written(row.lowest, chart)) << row.lowest;
    }
}

// A session of more rounds than the plot has pixels still shows its highs and lows: one round
// of $300 among 9999 of $100 rises to its row, three quarters up an axis from $0 to $400.
TEST(BankrollChart, ALongSessionKeepsItsHighsAndLows) {
    BankrollChart chart;
    chart.resize(300, 120); // a plot 232 pixels wide, 90 high
    std::vector<std::int64_t> rounds(10'000, 100);
    rounds[5'000] = 300;
    chart.Show(100, rounds);
    const QImage image = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int top = 120;
    for (int x = 57; x < 287; ++x) {
        for (int y = 11; y < 100 && y < top; ++y) {
            const QColor p = image.pixelColor(x, y);
            top = p.green() > 80 && p.red() < 100 && p.blue() < 100 ? y : top;
        }
    }
    EXPECT_LT(top, 34) << "the line's highest pixel row"; // $300 at row 31.5, $100 at 76.5
}

// On a dark palette the chart is drawn on its dark base, its amounts in its light text and its
// lines in lighter colours.
TEST(BankrollChart, FollowsADarkPalette) {
    BankrollChart chart;
    QPalette dark = chart.palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    chart.setPalette(dark);
    chart.resize(300, 120);
    chart.Show(200, {195, 185, 205});
    const QImage image = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.pixelColor(60, 13), QColor(30, 30, 30)) << "the plot's base";
    EXPECT_EQ(image.pixelColor(56, 60), QColor(220, 220, 220)) << "the plot's frame";
    const int x = static_cast<int>(56 + 232 * 2.5 / 10); // the middle of the last rise
    int light = 0;
    for (int y = 0; y < 120; ++y) {
        const QColor p = image.pixelColor(x, y);
        light += p.green() > 180 && p.red() < 130 && p.blue() < 130 ? 1 : 0;
    }
    EXPECT_GT(light, 0) << "a light green line";
    EXPECT_EQ(Ink(image, {0, 0, 54, 60}, qRgb(30, 30, 30)), Written("$210", chart));
}

} // namespace
} // namespace corvanta
