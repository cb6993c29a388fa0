#include "WindowTesting.h"

#include "engine/Advisor.h"
#include "ui/frmAdvisor/AdvisorWindow.h"
#include "ui/frmAdvisor/SessionRounds.h"
#include "ui/frmPoker/CardPicture.h"
#include "ui/frmPoker/MainWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace corvanta {
namespace {

using test::Caption;
using test::Card;
using test::Find;

FiveCards HandOf(std::initializer_list<int> cards) {
    FiveCards hand{};
    int slot = 0;
    for (int card : cards) {
        hand[slot++] = static_cast<std::int16_t>(card);
    }
    return hand;
}

// Four to a royal flush in clubs and the Three of Diamonds: the best hold throws the three.
const FiveCards FourToARoyal =
    HandOf({Card(10, 1), Card(11, 1), Card(12, 1), Card(13, 1), Card(3, 2)});
// A hand of nothing where keeping the eight alone is as good as keeping the seven alone.
const FiveCards TwoBestHolds =
    HandOf({Card(8, 1), Card(4, 2), Card(7, 3), Card(2, 1), Card(14, 4)});

const QString NothingDealt =
    QStringLiteral("No cards are dealt. Once you bet and deal, the best holds will be listed "
                   "here, ranked by expected payback.");

class AdvisorWindowTest : public test::GameTest {
protected:
    AdvisorWindowTest() { Start(); }
    ~AdvisorWindowTest() override {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    AdvisorWindow* Open() {
        Find<QAction>(*window, "mnuAdvisor")->trigger();
        return test::TopLevel<AdvisorWindow>("frmAdvisor");
    }
    using GameTest::Click;
    void Click(QWidget& parent, const char* name) {
        QTest::mouseClick(Find<QPushButton>(parent, name), Qt::LeftButton);
    }
    void BetAndDeal(const FiveCards& hand, const char* bet = "5") {
        Find<QLineEdit>(*window, "txtBet")->setText(QString::fromLatin1(bet));
        Click(*window, "cmdAddBet");
        Deal(hand);
    }
    void Deal(const FiveCards& hand) {
        for (std::int16_t card : hand) {
            session->random.Add({card});
        }
        Click(*window, "cmdDeal");
    }
    // The second Deal, with every marked card replaced by `card`.
    void Draw(int card = Card(2, 4)) {
        for (bool marked : session->model.GetTable().Discard) {
            if (marked) {
                session->random.Add({card});
            }
        }
        Click(*window, "cmdDeal");
    }
    // The table shows exactly `marks`, as clicks would have left it.
    void ExpectMarks(const DiscardMarks& marks) {
        EXPECT_EQ(session->model.GetTable().Discard, marks);
        for (int slot = 0; slot < HandSize; ++slot) {
            EXPECT_EQ(DiscardShown(slot), marks[slot]) << slot;
            EXPECT_EQ(Shown(slot), Drawn(session->model.GetTable().Hand[slot], marks[slot] ? 2 : 0))
                << slot;
        }
    }
};

int VisibleAdvisors() {
    int count = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        count += top->objectName() == QStringLiteral("frmAdvisor") && top->isVisible();
    }
    return count;
}

TEST_F(AdvisorWindowTest, CtrlHOpensOneModelessOwnerlessWindowFromTheGameMenu) {
    auto* game = Find<QMenu>(*window, "mnuGame");
    ASSERT_NE(game, nullptr);
    QStringList names;
    for (QAction* action : game->actions()) {
        names << action->objectName();
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("mnuBet"), QStringLiteral("mnuDeal"),
                                  QStringLiteral("mnuAdvisor"), QStringLiteral("mnuTrainer"),
                                  QStringLiteral("mnuSep1"), QStringLiteral("mnuExit")}));
    auto* entry = Find<QAction>(*window, "mnuAdvisor");
    EXPECT_EQ(entry->text(), QStringLiteral("Hold &Advisor"));
    const QKeySequence ctrlH(QStringLiteral("Ctrl+H"));
    EXPECT_EQ(entry->shortcut(), ctrlH);
    for (QAction* other : window->findChildren<QAction*>()) {
        EXPECT_TRUE(other == entry || other->shortcut() != ctrlH)
            << other->objectName().toStdString();
    }

    // From the bet box too: the shortcut opens the window and leaves the box alone.
    auto* betBox = Find<QLineEdit>(*window, "txtBet");
    betBox->setFocus();
    test::PressKeys(*window, ctrlH);
    EXPECT_EQ(betBox->text(), QStringLiteral("5"));
    AdvisorWindow* advisor = test::TopLevel<AdvisorWindow>("frmAdvisor");
    ASSERT_NE(advisor, nullptr);
    EXPECT_TRUE(advisor->isVisible());
    EXPECT_EQ(advisor->windowTitle(), QStringLiteral("Corvanta - Hold Advisor"));
    EXPECT_EQ(advisor->objectName(), QStringLiteral("frmAdvisor"));
    EXPECT_EQ(advisor->parent(), nullptr);
    EXPECT_FALSE(advisor->isModal());

    // Asked again it comes back: the same window, the only one.
    advisor->showMinimized();
    test::PressKeys(*window, ctrlH);
    EXPECT_EQ(test::TopLevel<AdvisorWindow>("frmAdvisor"), advisor);
    EXPECT_FALSE(advisor->isMinimized());
    EXPECT_EQ(VisibleAdvisors(), 1);

    // Esc closes it; the next opening is a new window, and the game's end closes that one.
    QTest::keyClick(advisor, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(test::TopLevel<AdvisorWindow>("frmAdvisor"), nullptr);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(VisibleAdvisors(), 1);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(test::TopLevel<AdvisorWindow>("frmAdvisor"), nullptr);
    EXPECT_EQ(VisibleAdvisors(), 0);
}

TEST_F(AdvisorWindowTest, FollowsTheDealTheDrawAndTheNextBet) {
    AdvisorWindow* advisor = Open();
    ASSERT_NE(advisor, nullptr);
    auto* markBest = Find<QPushButton>(*advisor, "cmdMarkBest");
    EXPECT_EQ(Caption(*advisor, "lblTitle"), NothingDealt);
    EXPECT_EQ(Caption(*advisor, "lblHold1"), QString());
    EXPECT_FALSE(markBest->isEnabled());

    Click(*window, "cmdAddBet");
    EXPECT_EQ(Caption(*advisor, "lblTitle"),
              QStringLiteral("Bet of $5 placed. Once you deal, the best holds will be listed here, "
                             "ranked by expected payback."));
    EXPECT_FALSE(markBest->isEnabled());

    // A pair of twos: keeping the pair alone is the best hold.
    const FiveCards pairOfTwos =
        HandOf({Card(2, 1), Card(9, 4), Card(2, 3), Card(5, 2), Card(13, 1)});
    Deal(pairOfTwos);
    EXPECT_TRUE(markBest->isEnabled());
    EXPECT_EQ(Caption(*advisor, "lblRank1"), QStringLiteral("1."));
    EXPECT_EQ(Caption(*advisor, "lblHold1"),
              QStringLiteral("Keep Two of Clubs, Two of Hearts — returns 2.1921 × bet"));
    const HoldRanking ranking = RankHolds(pairOfTwos);
    EXPECT_EQ(ranking[0].kept, 0b00101u);
    EXPECT_EQ(QString::number(ranking[0].payback.Multiple(), 'f', 4), QStringLiteral("2.1921"));
    for (int row = 1; row < AdvisorWindow::ListedHolds; ++row) {
        const std::string name = "lblHold" + std::to_string(row + 1);
        EXPECT_TRUE(Caption(*advisor, name.c_str())
                        .startsWith(HoldText(pairOfTwos, ranking[row].kept) +
                                    QStringLiteral(" — returns ") +
                                    QString::number(ranking[row].payback.Multiple(), 'f', 4)))
            << row;
    }
    // Nothing is marked after the deal: standing pat on a pair returns the bet.
    EXPECT_EQ(Caption(*advisor, "lblYourMarks"),
              QStringLiteral("Your marks: returns 1.0000 × bet, 1.1921 × bet less than the best."));
    QTest::mouseClick(CardAt(1), Qt::LeftButton);
    QTest::mouseClick(CardAt(3), Qt::LeftButton);
    QTest::mouseClick(CardAt(4), Qt::LeftButton);
    EXPECT_EQ(Caption(*advisor, "lblYourMarks"),
              QStringLiteral("Your marks: returns 2.1921 × bet, a best hold."));

    Draw();
    EXPECT_EQ(Caption(*advisor, "lblTitle"), NothingDealt);
    EXPECT_EQ(Caption(*advisor, "lblRank1"), QString());
    EXPECT_EQ(Caption(*advisor, "lblHold1"), QString());
    EXPECT_EQ(Caption(*advisor, "lblYourMarks"), QString());
    EXPECT_FALSE(markBest->isEnabled());

    Find<QLineEdit>(*window, "txtBet")->setText(QStringLiteral("25"));
    Click(*window, "cmdAddBet");
    EXPECT_TRUE(Caption(*advisor, "lblTitle").startsWith(QStringLiteral("Bet of $25 placed.")));
}

TEST_F(AdvisorWindowTest, EqualHoldsAreListedAsEqual) {
    AdvisorWindow* advisor = Open();
    ASSERT_NE(advisor, nullptr);
    BetAndDeal(TwoBestHolds);
    EXPECT_EQ(Caption(*advisor, "lblRank1"), QStringLiteral("1."));
    EXPECT_EQ(Caption(*advisor, "lblRank2"), QStringLiteral("="));
    EXPECT_EQ(Caption(*advisor, "lblRank3"), QStringLiteral("3."));
    const QString first = Caption(*advisor, "lblHold1");
    const QString second = Caption(*advisor, "lblHold2");
    EXPECT_TRUE(first.startsWith(QStringLiteral("Keep Eight of Clubs — returns ")))
        << first.toStdString();
    EXPECT_TRUE(second.startsWith(QStringLiteral("Keep Seven of Hearts — returns ")))
        << second.toStdString();
    EXPECT_EQ(first.section(QStringLiteral("returns"), 1),
              second.section(QStringLiteral("returns"), 1));
    EXPECT_NE(first.section(QStringLiteral("returns"), 1),
              Caption(*advisor, "lblHold3").section(QStringLiteral("returns"), 1));
}

TEST_F(AdvisorWindowTest, MarkBestHoldMarksExactlyTheBestDiscardsAsClicksWould) {
    struct Row {
        const char* what;
        FiveCards hand;
        std::vector<int> clickedFirst; // slots the player marked before asking
    };
    const Row rows[] = {
        {"four to a royal, one keeper marked", FourToARoyal, {0}},
        {"four to a royal, the discard marked", FourToARoyal, {4}},
        {"two pair, all marked",
         HandOf({Card(9, 2), Card(5, 1), Card(9, 4), Card(5, 3), Card(12, 1)}),
         {0, 1, 2, 3, 4}},
        {"a straight, nothing marked",
         HandOf({Card(5, 1), Card(6, 2), Card(7, 3), Card(8, 4), Card(9, 1)}),
         {}},
        {"equal best holds, two marked", TwoBestHolds, {0, 2}},
    };
    AdvisorWindow* advisor = Open();
    ASSERT_NE(advisor, nullptr);
    auto* markBest = Find<QPushButton>(*advisor, "cmdMarkBest");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        BetAndDeal(row.hand);
        for (int slot : row.clickedFirst) {
            QTest::mouseClick(CardAt(slot), Qt::LeftButton);
        }
        QTest::mouseClick(markBest, Qt::LeftButton);
        const DiscardMarks best = BestHoldDiscards(row.hand);
        ExpectMarks(best);
        EXPECT_TRUE(Caption(*advisor, "lblYourMarks").endsWith(QStringLiteral("a best hold.")));
        // Asked again, nothing changes.
        QTest::mouseClick(markBest, Qt::LeftButton);
        ExpectMarks(best);
        Draw();
    }
    EXPECT_EQ(BestHoldDiscards(FourToARoyal), (DiscardMarks{false, false, false, false, true}));
}

TEST_F(AdvisorWindowTest, MarkBestHoldByKeyboard) {
    AdvisorWindow* advisor = Open();
    ASSERT_NE(advisor, nullptr);
    auto* markBest = Find<QPushButton>(*advisor, "cmdMarkBest");
    const DiscardMarks best = BestHoldDiscards(FourToARoyal);
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        BetAndDeal(FourToARoyal);
        advisor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(advisor));
        markBest->setFocus();
        QTest::keyClick(markBest, key);
        ExpectMarks(best);
        Draw();
    }
}

TEST_F(AdvisorWindowTest, MarkBestHoldDoesNothingWhileTheCardsAreDisabled) {
    AdvisorWindow* advisor = Open();
    ASSERT_NE(advisor, nullptr);
    auto* markBest = Find<QPushButton>(*advisor, "cmdMarkBest");
    // Every way of asking, and afterwards the table and its pictures are as they were.
    auto tryToMark = [&](const char* when) {
        SCOPED_TRACE(when);
        std::vector<QImage> before;
        for (int slot = 0; slot < HandSize; ++slot) {
            before.push_back(Shown(slot));
        }
        EXPECT_FALSE(markBest->isEnabled());
        QTest::mouseClick(markBest, Qt::LeftButton);
        markBest->click();
        emit advisor->toggleRequested(2); // even asked directly, a disabled card stays unmarked
        EXPECT_EQ(session->model.GetTable().Discard, DiscardMarks{});
        for (int slot = 0; slot < HandSize; ++slot) {
            EXPECT_FALSE(DiscardShown(slot)) << slot;
            EXPECT_EQ(Shown(slot), before[slot]) << slot;
        }
    };
    tryToMark("before any bet");
    Click(*window, "cmdAddBet");
    tryToMark("a bet placed, no cards yet");
    Deal(FourToARoyal);
    ASSERT_TRUE(markBest->isEnabled());
    Draw();
    tryToMark("after the draw");
}

TEST_F(AdvisorWindowTest, CountsTheSessionsRoundsAcrossClosedWindows) {
    AdvisorWindow* advisor = Open();
    ASSERT_NE(advisor, nullptr);
    EXPECT_EQ(Caption(*advisor, "lblRoundsAdvised"), QStringLiteral("Rounds advised: 0"));

    // Played best: the three of diamonds thrown.
    BetAndDeal(FourToARoyal);
    QTest::mouseClick(CardAt(4), Qt::LeftButton);
    Draw();
    EXPECT_EQ(Caption(*advisor, "lblRoundsAdvised"), QStringLiteral("Rounds advised: 1"));
    EXPECT_EQ(Caption(*advisor, "lblRoundsBest"),
              QStringLiteral("Rounds whose discards were a best hold: 1"));
    EXPECT_EQ(Caption(*advisor, "lblGivenUp"),
              QStringLiteral("Expected dollars given up by the other choices: $0.00"));

    // Closed, and a round played without it: standing pat on four to a royal with $10 bet
    // returns nothing instead of 280/52 per dollar, $53.85 given up.
    advisor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    BetAndDeal(FourToARoyal, "10");
    Draw();

    advisor = Open();
    ASSERT_NE(advisor, nullptr);
    EXPECT_EQ(Caption(*advisor, "lblRoundsAdvised"), QStringLiteral("Rounds advised: 2"));
    EXPECT_EQ(Caption(*advisor, "lblRoundsBest"),
              QStringLiteral("Rounds whose discards were a best hold: 1"));
    EXPECT_EQ(Caption(*advisor, "lblGivenUp"),
              QStringLiteral("Expected dollars given up by the other choices: $53.85"));
}

TEST_F(AdvisorWindowTest, ShowsTheGamesReturnsComputedByTheProgram) {
    AdvisorWindow* advisor = Open();
    ASSERT_NE(advisor, nullptr);
    const QString figures =
        QStringLiteral("Perfect play returns 2.1768 × bet; standing pat returns 0.8869 × bet.");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Caption(*advisor, "lblFigures") == figures; }))
        << Caption(*advisor, "lblFigures").toStdString();
}

TEST_F(AdvisorWindowTest, EveryTextFits) {
    // The game starts with the most a bet can be.
    window.reset();
    Prepare({{"Default", 100}}, 32767);
    Start();
    AdvisorWindow* advisor = Open();
    ASSERT_NE(advisor, nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !Caption(*advisor, "lblFigures").endsWith(QChar(0x2026)); }));
    auto expectFits = [&](const char* when) {
        for (QLabel* label : advisor->findChildren<QLabel*>()) {
            const QRect inside = advisor->rect();
            EXPECT_TRUE(inside.contains(label->geometry()))
                << when << " " << label->objectName().toStdString();
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << when << " " << label->objectName().toStdString();
            } else {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                    << when << " " << label->objectName().toStdString() << ": "
                    << label->text().toStdString();
            }
        }
    };
    expectFits("before a bet");
    BetAndDeal(HandOf({Card(12, 2), Card(12, 2), Card(12, 2), Card(12, 2), Card(7, 2)}), "32767");
    expectFits("four Queens of Diamonds");
    QTest::mouseClick(CardAt(0), Qt::LeftButton);
    QTest::mouseClick(CardAt(1), Qt::LeftButton);
    expectFits("four Queens of Diamonds, two marked");
    Draw(Card(12, 2));
    expectFits("after the draw");
    Find<QLineEdit>(*window, "txtBet")->setText(QStringLiteral("5"));
    Click(*window, "cmdAddBet");
    expectFits("bet placed");
}

} // namespace
} // namespace corvanta
