// The main window at any size: the table scales with it and keeps its proportions, the window's
// place is remembered where it fits on a screen, and the trainer's question leaves the cards in
// view.
#include "WindowTesting.h"

#include "support/SavedFiles.h"
#include "ui/Dialogs.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

namespace corvanta {
namespace {

using GrowingTableTest = test::GameTest;

// The window resized so that the table's area is `client`.
void ResizeClient(MainWindow& window, QSize client) {
    window.resize(client.width(), client.height() + window.menuBar()->height());
    QCoreApplication::processEvents();
    ASSERT_EQ(window.centralWidget()->size(), client);
}

qreal PointsOf(MainWindow& window, const char* name) {
    return qobject_cast<QWidget*>(test::Find(window, name))->font().pointSizeF();
}

TEST_F(GrowingTableTest, TheTableScalesWithTheWindowAndComesBackAsDesigned) {
    Start();
    Do("bet 5; deal AS KS 3D JS TS");
    struct Row {
        const char* what;
        QSize client;
        const char* looks;
        qreal lastHandPoints; // lblLastHandC, 12 pt as designed
        qreal accountPoints;  // lblAccountC, 8.25 pt
    };
    const Row rows[] = {
        {"twice the size",
         {1146, 658},
         "Card1=Ace of Spades@32,64,142,192 | Card5=Ten of Spades@672,64,142,192 | "
         "cmdDeal=&Deal@32,320,178,50 | txtBet=5@64,576,146,42 | fraBank=Bank@240,320,274,322 | "
         "cmdWithdrawCash=&Withdraw@256,480,114,50 | lblRoundsWon=0@720,352,114,34 | "
         "lblPayoffsC=Payoffs@864,64,252,44 | cmdExit=E&xit Poker@864,592,258,50 | "
         "Line3=@32,384,178,2",
         24,
         16.5},
        {"twice the height and wider still: centred on the green",
         {1719, 658},
         "Card1=Ace of Spades@318,64,142,192 | cmdDeal=&Deal@318,320,178,50 | "
         "cmdWithdrawCash=&Withdraw@542,480,114,50 | cmdExit=E&xit Poker@1150,592,258,50",
         24,
         16.5},
        {"three times the width, taller than that: centred on the green",
         {1719, 1200},
         "Card1=Ace of Spades@48,202,213,288 | cmdDeal=&Deal@48,586,267,75 | "
         "cmdExit=E&xit Poker@1296,994,387,75",
         36,
         24.75},
        {"back to the default size: every place as designed",
         {573, 329},
         "Card1=Ace of Spades@16,32,71,96 | Card5=Ten of Spades@336,32,71,96 | "
         "cmdDeal=&Deal@16,160,89,25 | txtBet=5@32,288,73,21 | fraBank=Bank@120,160,137,161 | "
         "cmdWithdrawCash=&Withdraw@128,240,57,25 | lblRoundsWon=0@360,176,57,17 | "
         "lblPayoffsC=Payoffs@432,32,126,22 | cmdExit=E&xit Poker@432,296,129,25 | "
         "Line3=@16,192,89,1",
         12,
         8.25},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ResizeClient(*window, row.client);
        test::ExpectLooks(*window, QString::fromUtf8(row.looks));
        EXPECT_EQ(PointsOf(*window, "lblLastHandC"), row.lastHandPoints);
        EXPECT_EQ(PointsOf(*window, "lblAccountC"), row.accountPoints);
    }
}

// The card is painted at the picture's size: at twice the size the ace's big spade is in the
// middle of the picture and the card reaches its far corner.
TEST_F(GrowingTableTest, CardsArePaintedAtTheirScaledSize) {
    Start();
    Do("bet 5; deal AS KS 3D JS TS");
    ResizeClient(*window, {1146, 658});
    const QImage ace = Shown(0);
    ASSERT_EQ(ace.size(), QSize(142, 192));
    const struct {
        QPoint pixel;
        QRgb colour;
    } pixels[] = {
        {{71, 96}, qRgb(20, 20, 24)},      // the middle of the spade, in the black suits' ink
        {{0, 0}, qRgb(0, 128, 0)},         // the table in the rounded corner
        {{71, 0}, qRgb(118, 118, 126)},    // the border, two pixels thick
        {{71, 1}, qRgb(118, 118, 126)},    //
        {{71, 2}, qRgb(255, 255, 255)},    // the card inside it
        {{120, 180}, qRgb(255, 255, 255)}, // far beyond the card at its designed size
    };
    for (const auto& [pixel, colour] : pixels) {
        EXPECT_EQ(QColor(ace.pixel(pixel)), QColor(colour)) << pixel.x() << "," << pixel.y();
    }
}

// ---- The window's place ----

QRect Place(const QWidget& window) {
    return {window.pos(), window.size()};
}

std::string PlaceLines(const std::string& settings) {
    const std::size_t start = settings.find("\"Window Left\"");
    return start == std::string::npos ? "<none>" : settings.substr(start);
}

// The window starts in the middle of the screen (the offscreen platform's is 800 × 800, and its
// frames 2 pixels wide) until
// the player places it; then its place, size and maximized state are saved and come back.
TEST_F(GrowingTableTest, ThePlaceTheWindowWasLeftInComesBack) {
    Start();
    EXPECT_EQ(Place(*window), QRect(113, 226, 573, 347));
    Restart();
    EXPECT_EQ(PlaceLines(files.Settings()), "<none>") << "never placed: nothing written";
    window->move(30, 40);
    window->resize(700, 450);
    Restart();
    EXPECT_EQ(PlaceLines(files.Settings()),
              "\"Window Left\"=dword:0000001e\n\"Window Top\"=dword:00000028\n"
              "\"Window Width\"=dword:000002bc\n\"Window Height\"=dword:000001c2\n"
              "\"Window Maximized\"=dword:00000000\n\n");
    EXPECT_EQ(Place(*window), QRect(30, 40, 700, 450));
    EXPECT_FALSE(window->isMaximized());
    window->showMaximized();
    QCoreApplication::processEvents();
    Restart();
    EXPECT_EQ(PlaceLines(files.Settings()),
              "\"Window Left\"=dword:0000001e\n\"Window Top\"=dword:00000028\n"
              "\"Window Width\"=dword:000002bc\n\"Window Height\"=dword:000001c2\n"
              "\"Window Maximized\"=dword:00000001\n\n");
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(Place(*window), QRect(0, 0, 796, 796));
}

// A place the player gives the window is saved with the next round, as the rest of the game
// is, so a game killed afterwards comes back where it was left.
TEST_F(GrowingTableTest, ThePlaceIsSavedWithTheNextRound) {
    Start();
    window->move(30, 40);
    window->resize(700, 450);
    Do("bet 5; deal TC JC QC KC 3D; click cmdDeal");
    game->model.WaitForSaves();
    EXPECT_EQ(PlaceLines(files.Settings()),
              "\"Window Left\"=dword:0000001e\n\"Window Top\"=dword:00000028\n"
              "\"Window Width\"=dword:000002bc\n\"Window Height\"=dword:000001c2\n"
              "\"Window Maximized\"=dword:00000000\n\n")
        << "before any exit";
}

// A saved place is used only where the whole window fits on a screen that is there; anywhere
// else the window takes its default place (still maximized when it was).
TEST_F(GrowingTableTest, APlaceOffTheScreensIsNotUsed) {
    const struct {
        const char* what;
        MainWindowGeometry saved;
        QRect place;
        bool maximized;
    } rows[] = {
        {"on the screen", {30, 40, 700, 450, false}, {30, 40, 700, 450}, false},
        {"touching its far corner", {100, 350, 700, 450, false}, {100, 350, 700, 450}, false},
        {"on a screen to the right, gone",
         {1000, 40, 700, 450, false},
         {113, 226, 573, 347},
         false},
        {"on a screen to the left, gone", {-700, 40, 700, 450, false}, {113, 226, 573, 347}, false},
        {"one pixel over the bottom", {100, 351, 700, 450, false}, {113, 226, 573, 347}, false},
        {"above the screen", {30, -10, 700, 450, false}, {113, 226, 573, 347}, false},
        {"smaller than the table", {30, 40, 500, 300, false}, {113, 226, 573, 347}, false},
        {"maximized, its normal place gone", {5000, 40, 700, 450, true}, {0, 0, 796, 796}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        StoredSettings settings{63, 1, 100};
        settings.mainWindow = row.saved;
        ASSERT_TRUE(SaveSettings(files.config, settings).ok);
        Start();
        EXPECT_EQ(Place(*window), row.place);
        EXPECT_EQ(window->isMaximized(), row.maximized);
        window.reset();
    }
}

// ---- The trainer's question ----

// The five cards and their discard marks on the desktop.
QRect CardsRow(MainWindow& window) {
    QRect row;
    for (int slot = 1; slot <= 5; ++slot) {
        for (const QString& name : {QStringLiteral("Card%1"), QStringLiteral("lblDiscard%1")}) {
            auto* part = window.findChild<QWidget*>(name.arg(slot));
            row |= QRect(part->mapToGlobal(QPoint(0, 0)), part->size());
        }
    }
    return row;
}

// The question before a costly draw goes below the cards it speaks of, at any size.
TEST_F(GrowingTableTest, TheTrainersQuestionLeavesTheCardsInView) {
    Start();
    Do("click mnuTrainer");
    for (const bool maximized : {false, true}) {
        SCOPED_TRACE(maximized ? "maximized" : "default size");
        if (maximized) {
            window->showMaximized();
            QCoreApplication::processEvents();
        }
        const QRect cards = CardsRow(*window);
        QRect box;
        {
            test::DialogAnswers answers({[&box](QWidget& question) {
                box = question.frameGeometry();
                for (auto* button : question.findChildren<QAbstractButton*>()) {
                    if (button->text() == QStringLiteral("&No")) {
                        button->click();
                    }
                }
            }});
            Do("bet 5; deal TC JC QC KC 3D; click Card2 cmdDeal");
        }
        EXPECT_FALSE(box.isEmpty());
        EXPECT_FALSE(box.intersects(cards)) << box.y() << " " << cards.bottom();
        EXPECT_GT(box.top(), cards.bottom());
        Do("click Card2 Card5; deal AC; expect lblLastHand=Royal Flush");
    }
}

// Where a box goes to leave a row in view, on an 800 × 600 screen: below the row, centred on it;
// above when there is no room below; beside it, right first, when neither has room; kept on
// the screen when nothing has room.
TEST(PlaceClearOf, BelowAboveBesideOrKeptOnTheScreen) {
    const QRect screen(0, 0, 800, 600);
    const struct {
        const char* what;
        QRect row;
        QSize box;
        QPoint corner;
    } rows[] = {
        {"below", {100, 100, 400, 150}, {300, 100}, {149, 258}},
        {"above", {100, 400, 400, 150}, {300, 100}, {149, 292}},
        {"to the right", {50, 50, 300, 500}, {300, 100}, {358, 50}},
        {"to the left", {450, 50, 300, 500}, {300, 100}, {142, 50}},
        {"no room anywhere: below, kept on the screen",
         {100, 50, 400, 500},
         {300, 100},
         {149, 500}},
        {"below, pushed in from the screen's left edge", {0, 100, 100, 100}, {300, 100}, {0, 208}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PlaceClearOf(row.row, row.box, screen), row.corner) << row.what;
    }
}

} // namespace
} // namespace corvanta
