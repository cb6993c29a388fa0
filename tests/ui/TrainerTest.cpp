// The trainer in the real windows: the warning before a costly draw and both answers, the
// setting remembered, the graded session with its list and CSV, and the bankroll chart.
#include "WindowTesting.h"

#include "settings/basRegistry.h"
#include "support/TempFolder.h"
#include "ui/frmAdvisor/BankrollChart.h"
#include "ui/frmAdvisor/SessionRounds.h"

#include <QAction>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace corvanta {
namespace {

using test::AnswerMessageBox;
using test::Card;
using test::Find;

// Four to a royal flush in clubs and the Three of Diamonds: the best hold throws the three.
const FiveCards FourToARoyal = test::HandOf({{10, 1}, {11, 1}, {12, 1}, {13, 1}, {3, 2}});

class TrainerTest : public test::GameTest {
protected:
    TrainerTest() { Start(); }

    void TrainerOn() { Find<QAction>(*window, "mnuTrainer")->trigger(); }
    void BetAndDeal(const FiveCards& hand) {
        Click("cmdAddBet");
        for (std::int16_t card : hand) {
            session->random.Add({card});
        }
        Click("cmdDeal");
    }
};

TEST_F(TrainerTest, ACostlyDrawIsAskedFirstAndNoGoesBackToMarking) {
    TrainerOn();
    EXPECT_NE(test::ReadBytes(SettingsFilePath(folders.ConfigFolder()))
                  .find("\"Trainer\"=dword:00000001"),
              std::string::npos);
    BetAndDeal(FourToARoyal);
    // Throwing the jack of the royal draw: 10-Q-K and the three only pair up, 16 cards of 52.
    QTest::mouseClick(CardAt(1), Qt::LeftButton);

    auto seen = AnswerMessageBox(QStringLiteral("&No"));
    Click("cmdDeal");
    EXPECT_EQ(seen->title, QStringLiteral("Corvanta - Trainer"));
    EXPECT_EQ(seen->text,
              QStringLiteral("Your discards return 0.3077 × bet: a large mistake, 5.0769 × bet "
                             "less than the best.\rKeep Ten of Clubs, Jack of Clubs, Queen of "
                             "Clubs, King of Clubs: returns 5.3846 × bet.\rDraw anyway?"));
    // Still marking, the marks as they were.
    EXPECT_EQ(Text("lblLastHand"), QStringLiteral("No Hand Played"));
    EXPECT_TRUE(CardAt(1)->isEnabled());
    EXPECT_TRUE(DiscardShown(1));
    EXPECT_FALSE(DiscardShown(4));

    // The best hold draws without a word; a mistake drawn with Yes counts as one.
    QTest::mouseClick(CardAt(1), Qt::LeftButton);
    QTest::mouseClick(CardAt(4), Qt::LeftButton);
    session->random.Add({Card(14, 1)});
    Click("cmdDeal");
    EXPECT_EQ(Text("lblLastHand"), QStringLiteral("Royal Flush"));
    BetAndDeal(FourToARoyal);
    seen = AnswerMessageBox(QStringLiteral("&Yes"));
    Click("cmdDeal"); // standing pat
    EXPECT_TRUE(seen->seen);
    EXPECT_EQ(Text("lblLastHand"), QStringLiteral("Not a Winning Hand"));
    const TrainingSession& trained = session->model.Training();
    EXPECT_EQ(trained.RoundsAdvised(), 2);
    EXPECT_EQ(trained.LargeMistakes(), 1);

    // Off again (and remembered so), the same draw passes without a question.
    Find<QAction>(*window, "mnuTrainer")->trigger();
    Restart();
    EXPECT_FALSE(Find<QAction>(*window, "mnuTrainer")->isChecked());
    BetAndDeal(FourToARoyal);
    Click("cmdDeal");
    EXPECT_EQ(Text("lblLastHand"), QStringLiteral("Not a Winning Hand"));
}

TEST_F(TrainerTest, TheSessionIsListedNewestFirstAndSavedAsCsv) {
    BetAndDeal(FourToARoyal);
    QTest::mouseClick(CardAt(4), Qt::LeftButton);
    session->random.Add({Card(2, 4)});
    Click("cmdDeal");
    BetAndDeal(test::HandOf({{14, 4}, {3, 4}, {11, 1}, {5, 1}, {6, 3}}));
    for (int slot : {2, 3, 4}) {
        QTest::mouseClick(CardAt(slot), Qt::LeftButton);
    }
    session->random.Add({Card(9, 2), Card(9, 3), Card(4, 1)});
    Click("cmdDeal");

    Find<QAction>(*window, "mnuAdvisor")->trigger();
    QWidget* advisor = test::TopLevel<QWidget>("frmAdvisor");
    ASSERT_NE(advisor, nullptr);
    EXPECT_EQ(test::Caption(*advisor, "lblGrades"),
              QStringLiteral("Accuracy: 50.0 %; small mistakes: 1; large mistakes: 0"));
    auto* list = Find<QTableWidget>(*advisor, "tblRounds");
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("A♠ 3♠ J♣ 5♣ 6♥"));
    EXPECT_EQ(list->item(0, 2)->text(), QStringLiteral("J♣ 5♣ 6♥"));
    EXPECT_EQ(list->item(0, 4)->text(), QStringLiteral("$0.24"));
    EXPECT_EQ(list->item(1, 2)->text(), QStringLiteral("3♦"));
    advisor->close();

    EXPECT_EQ(RoundsCsv(session->model.Training()).toStdString(),
              "Round,Dealt hand,Discards,Best hold,Bet,Return given up (x bet),Dollars given "
              "up,Grade\r\n"
              "2,\"Ace of Spades, Three of Spades, Jack of Clubs, Five of Clubs, Six of "
              "Hearts\",\"Jack of Clubs, Five of Clubs, Six of Hearts\",Keep Six of Hearts,5,"
              "0.0483,0.24,Small mistake\r\n"
              "1,\"Ten of Clubs, Jack of Clubs, Queen of Clubs, King of Clubs, Three of "
              "Diamonds\",Three of Diamonds,\"Keep Ten of Clubs, Jack of Clubs, Queen of Clubs, "
              "King of Clubs\",5,0.0000,0.00,Best hold\r\n");
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
        const double plotWidth = width - 68;
        const double plotBottom = height - 21;
        const double plotHeight = height - 30;
        const auto yOf = [&](double amount) {
            return plotBottom - plotHeight * (amount - 183) / 24;
        };
        // The middle of the last rise, from round 2 ($185) to round 3 ($205).
        const int x = static_cast<int>(56 + plotWidth * 2.5 / 3);
        const int y = static_cast<int>(yOf(195));
        bool line = false;
        for (int dy = -3; dy <= 3; ++dy) {
            const QColor pixel = image.pixelColor(x, y + dy);
            line = line || (pixel.green() > 80 && pixel.red() < 100 && pixel.blue() < 100);
        }
        EXPECT_TRUE(line) << "at " << x << ", " << y;
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
