#include "WindowTesting.h"

#include "bank/BankFile.h"
#include "bank/frmAccount/AccountWindow.h"
#include "ui/Dialogs.h"
#include "ui/frmDebug/DebugConsole.h"
#include "ui/frmHelp/HelpWindow.h"
#include "ui/frmPoker/MainWindow.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace corvanta {
namespace {

using test::AnswerDialogs;
using test::AnswerNextDialog;
using test::AnswerPrompt;
using test::Card;
using test::Find;

class OtherWindowsTest : public test::GameTest {
protected:
    void Start(std::initializer_list<std::pair<const char*, std::int32_t>> accounts = {
                   {"Default", 100}}) {
        Prepare(accounts);
        GameTest::Start();
    }
    using GameTest::Click;
    void Click(QWidget& parent, const char* name) {
        QTest::mouseClick(Find<QPushButton>(parent, name), Qt::LeftButton);
    }
    // A whole round that ends on the given five cards.
    void PlayRound(std::initializer_list<int> cards) {
        Click("cmdAddBet");
        session->random.Add(cards);
        Click("cmdDeal");
        Click("cmdDeal");
    }
    // Clicks the invisible spot and answers the access code prompt.
    std::shared_ptr<test::SeenMessage> TypeAccessCode(const QString& code, bool cancel = false) {
        auto seen = AnswerPrompt(code, cancel);
        QTest::mouseClick(Find(*window, "imgShowDebug"), Qt::LeftButton);
        return seen;
    }
    DebugConsole* Console() { return test::TopLevel<DebugConsole>("frmDebug"); }
    QString Field(const char* name) {
        if (QPlainTextEdit* text =
                Console()->findChild<QPlainTextEdit*>(QString::fromLatin1(name))) {
            return text->toPlainText();
        }
        if (QLineEdit* box = Console()->findChild<QLineEdit*>(QString::fromLatin1(name))) {
            return box->text();
        }
        return test::Caption(*Console(), name);
    }
};

TEST_F(OtherWindowsTest, OnlyTheExactAccessCodeOpensTheConsole) {
    Start();
    auto prompt = TypeAccessCode(QStringLiteral("Larkspurs"));
    EXPECT_EQ(prompt->title, QStringLiteral("Corvanta - Debug Console"));
    EXPECT_EQ(prompt->text, QStringLiteral("Please enter the debug code below:"));
    EXPECT_EQ(prompt->defaultText, QStringLiteral("unknown"));
    for (const char* wrong : {" larkspurs", "larkspurs ", "unknown"}) {
        TypeAccessCode(QString::fromLatin1(wrong));
        EXPECT_EQ(Console(), nullptr) << wrong;
    }
    TypeAccessCode(QString(), /*cancel=*/true);
    EXPECT_EQ(Console(), nullptr);
    TypeAccessCode(QStringLiteral("larkspurs"));
    ASSERT_NE(Console(), nullptr);
    EXPECT_TRUE(Console()->isVisible());
    EXPECT_EQ(Field("txtDebug"), QStringLiteral(" 1\\ 1 > $ 100 >>Default<<"));
    EXPECT_EQ(Field("lblAppPath"), ToQString(BankFilePath(folders.ProgramFolder())));
}

TEST_F(OtherWindowsTest, EveryHandWritesTheConsoleEvenWhileItIsHidden) {
    Start();
    PlayRound({Card(2, 1), Card(2, 3), Card(7, 2), Card(9, 4), Card(13, 1)});
    ASSERT_NE(Console(), nullptr);
    EXPECT_FALSE(Console()->isVisible()); // created hidden by the hand
    EXPECT_EQ(Field("lblCV1") + Field("lblCV3") + Field("lblCV5"), QStringLiteral("2713"));
    EXPECT_EQ(Field("lblCS2") + Field("lblCS4"), QStringLiteral("34"));
    EXPECT_EQ(Field("lblWinHand"), QStringLiteral("1"));
    EXPECT_EQ(Field("lblMoney"), QStringLiteral("95"));
    EXPECT_EQ(Field("lblBet"), QStringLiteral("5"));
    EXPECT_EQ(Field("lblWon"), QStringLiteral("5"));
    EXPECT_EQ(Field("lblLNum"), QStringLiteral("2, 1"));
    EXPECT_EQ(Field("txtDebug"),
              QStringLiteral(" >> Checkflush: False >> CheckStraight: False >> CheckRF: False"));

    PlayRound({Card(14, 1), Card(10, 2), Card(12, 3), Card(11, 4), Card(13, 1)});
    EXPECT_EQ(Field("lblWinHand"), QStringLiteral("4"));
    EXPECT_EQ(Field("lblFAdd"), QStringLiteral("15"));
    EXPECT_EQ(Field("lblLNum"), QStringLiteral("10, 9"));
    const QString royalTrace =
        QStringLiteral(" >> Checkflush: False >> CheckStraight: True >> CheckRF: True");
    EXPECT_EQ(Field("txtDebug"), royalTrace);

    // Five of a kind skips the straight test: its fields and the trace stay as they were.
    PlayRound({Card(7, 1), Card(7, 1), Card(7, 1), Card(7, 1), Card(7, 1)});
    EXPECT_EQ(Field("lblWinHand"), QStringLiteral("8"));
    EXPECT_EQ(Field("lblCV5"), QStringLiteral("7"));
    EXPECT_EQ(Field("lblFAdd"), QStringLiteral("15"));
    EXPECT_EQ(Field("txtDebug"), royalTrace);

    // The access code shows the loaded console as it is; closing unloads it.
    TypeAccessCode(QStringLiteral("larkspurs"));
    EXPECT_TRUE(Console()->isVisible());
    EXPECT_EQ(Field("lblWinHand"), QStringLiteral("8"));
    Console()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Console(), nullptr);
    PlayRound({Card(7, 1), Card(7, 2), Card(7, 3), Card(7, 4), Card(7, 1)});
    ASSERT_NE(Console(), nullptr);
    EXPECT_FALSE(Console()->isVisible());
    EXPECT_TRUE(Field("txtDebug").startsWith(QStringLiteral(" 1\\ 1 > $ 100 >>Default<<")))
        << Field("txtDebug").toStdString();
}

TEST_F(OtherWindowsTest, RecordEditorNavigatesDeletesAndSetsTheCurrentAccount) {
    Start({{"A", 10}, {"B", 150}, {"C", 30}, {"D", 40}});
    TypeAccessCode(QStringLiteral("larkspurs"));
    DebugConsole& console = *Console();
    Click(console, "cmdPrevRec"); // at record 1: nothing
    EXPECT_EQ(Field("txtIndex"), QStringLiteral(" 1"));
    EXPECT_EQ(Field("txtAccount"), QStringLiteral("A"));
    Click(console, "cmdNextRec");
    EXPECT_EQ(Field("txtAccount"), QStringLiteral("B                   ")); // as stored
    EXPECT_EQ(Field("txtSavings"), QStringLiteral("150"));                  // plain form
    EXPECT_EQ(Field("txtIndex"), QStringLiteral(" 2"));

    Click(console, "cmdSetCurrRec");
    EXPECT_EQ(test::Caption(*window, "lblCurrentAccount"), QStringLiteral("B"));
    EXPECT_EQ(test::Caption(*window, "lblSavings"), QStringLiteral("150")); // no "$" here
    EXPECT_EQ(Field("txtDebug"), QStringLiteral(" 2\\ 4 > $ 150 >>B<<"));

    Click(console, "cmdDelRecord"); // B goes, C and D move down
    EXPECT_EQ(Field("txtAccount"), QStringLiteral("D"));
    EXPECT_EQ(Field("txtSavings"), QStringLiteral(" 40"));
    EXPECT_EQ(Field("txtIndex"), QStringLiteral(" 2"));
    EXPECT_EQ(session->model.GetBank().AccountCount, 3);

    Click(console, "cmdNextRec");
    EXPECT_EQ(Field("txtIndex"), QStringLiteral(" 3"));
    Click(console, "cmdNextRec"); // the last record: nothing
    EXPECT_EQ(Field("txtIndex"), QStringLiteral(" 3"));
    Click(console, "cmdDelRecord"); // the last one is blanked, record 2 shows
    EXPECT_EQ(Field("txtAccount"), QStringLiteral("C"));
    EXPECT_EQ(session->model.GetBank().AccountCount, 2);

    Click(console, "cmdCurRec");
    Find<QLineEdit>(console, "txtSavings")->setText(QStringLiteral(" 12.9 "));
    Click(console, "cmdSaveChanges");
    EXPECT_EQ(session->model.GetBank().AccountTable[2].Savings, 12);
    Find<QLineEdit>(console, "txtSavings")->setText(QStringLiteral("-0.5"));
    Click(console, "cmdSaveChanges");
    EXPECT_EQ(session->model.GetBank().AccountTable[2].Savings, -1);
    Find<QLineEdit>(console, "txtSavings")->setText(QStringLiteral("lots"));
    Click(console, "cmdSaveChanges");
    EXPECT_EQ(session->model.GetBank().AccountTable[2].Savings, -1);

    window->close();
    Bank saved;
    LoadBank(saved, folders.ProgramFolder());
    EXPECT_EQ(saved.AccountCount, 2);
    EXPECT_EQ(StoredText(saved.AccountTable[2].Name), "C                   ");
    EXPECT_EQ(saved.AccountTable[2].Savings, -1);
}

TEST_F(OtherWindowsTest, OptionsTakeTheLastClickedBackOnceTheWindowCloses) {
    Start();
    for (const bool byButton : {true, false}) {
        const std::int16_t before = session->model.GetTable().CardBG;
        AnswerNextDialog([&](QWidget* dialog) {
            EXPECT_EQ(dialog->objectName(), QStringLiteral("frmOptions"));
            for (int i = 0; i < 13; ++i) {
                EXPECT_FALSE(Find(*dialog, ("shpBG_" + std::to_string(i)).c_str())->isVisible())
                    << i;
            }
            QTest::mouseClick(Find(*dialog, "BG4"), Qt::LeftButton);
            QTest::mouseClick(Find(*dialog, byButton ? "BG11" : "BG5"), Qt::LeftButton);
            for (int i = 0; i < 13; ++i) {
                const bool framed = i == (byButton ? 10 : 4);
                EXPECT_EQ(Find(*dialog, ("shpBG_" + std::to_string(i)).c_str())->isVisible(),
                          framed)
                    << i;
            }
            EXPECT_EQ(session->model.GetTable().CardBG, before); // not before the window closes
            if (byButton) {
                QTest::mouseClick(Find<QPushButton>(*dialog, "cmdClose"), Qt::LeftButton);
            } else {
                dialog->close();
            }
        });
        QTest::mouseClick(Find<QPushButton>(*window, "cmdOptions"), Qt::LeftButton);
        EXPECT_EQ(session->model.GetTable().CardBG, byButton ? 63 : 57) << byButton;
    }
    // Face-down cards show the new back at their next paint.
    auto* card = Find(*window, "Card1");
    QImage expected(71, 96, QImage::Format_RGB32);
    expected.fill(QColor(0, 128, 0));
    QPainter painter(&expected);
    session->cards.cdtDraw(painter, 0, 0, 57, 1, Qt::white);
    painter.end();
    EXPECT_EQ(card->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
}

TEST_F(OtherWindowsTest, HelpAskedTwiceIsOneWindowAndReopensOnItsFirstTab) {
    Start();
    QTest::mouseClick(Find<QPushButton>(*window, "cmdGameHelp"), Qt::LeftButton);
    Find<QAction>(*window, "mnuHelp")->trigger();
    int helpWindows = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        helpWindows += top->objectName() == QStringLiteral("frmHelp") && top->isVisible();
    }
    EXPECT_EQ(helpWindows, 1);
    HelpWindow* help = test::TopLevel<HelpWindow>("frmHelp");
    ASSERT_NE(help, nullptr);
    help->findChild<QTabWidget*>()->setCurrentIndex(2);
    help->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(Find<QPushButton>(*window, "cmdGameHelp"), Qt::LeftButton);
    ASSERT_NE(test::TopLevel<HelpWindow>("frmHelp"), nullptr);
    EXPECT_EQ(test::TopLevel<HelpWindow>("frmHelp")->findChild<QTabWidget*>()->currentIndex(),
              0);
    window->close(); // the game's end closes it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(test::TopLevel<HelpWindow>("frmHelp"), nullptr);
}

// Every caption of the secondary windows is drawn whole in the game's fonts.
TEST(SecondaryWindows, EveryFixedCaptionFitsItsLabel) {
    test::TempFolders folders;
    test::TestGame game(folders);
    game.model.StartUp(); // the bank of a first run: "Default"
    DebugConsole console(game.model);
    AccountWindow editor(game.model, nullptr);
    for (QWidget* window : {static_cast<QWidget*>(&console), static_cast<QWidget*>(&editor)}) {
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->wordWrap() || label->text().isEmpty()) {
                continue;
            }
            const QFontMetrics metrics(label->font());
            EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
                << label->objectName().toStdString() << " \"" << label->text().toStdString() << '"';
            EXPECT_LE(metrics.ascent() + metrics.descent(), label->height() + 2)
                << label->objectName().toStdString();
        }
    }
}

} // namespace
} // namespace corvanta
