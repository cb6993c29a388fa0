#include "WindowTesting.h"

#include "bank/BankFile.h"
#include "settings/Settings.h"
#include "ui/frmPoker/MainWindow.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace corvanta {
namespace {

using test::AnswerDialogs;
using test::AnswerMessageBox;
using test::AnswerNextDialog;
using test::AnswerPrompt;
using test::Caption;
using test::Find;

// A bank window test starts the game on prepared files, plays through the real buttons,
// menus and dialogs, exits, and reads what reached gbank.db.
class BankWindowTest : public test::GameTest {
protected:
    // Exits the game and loads the bank it saved.
    Bank ExitAndReload() {
        window->close();
        window.reset();
        Bank saved;
        LoadBank(saved, folders.ProgramFolder());
        return saved;
    }
    QByteArray BankBytes() {
        QFile file(folders.BankPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void Click(const char* name) {
        QTest::mouseClick(Find<QPushButton>(*window, name), Qt::LeftButton);
    }
    void Menu(const char* name) { Find<QAction>(*window, name)->trigger(); }
    void SetBankBox(const QString& text) { Find<QLineEdit>(*window, "txtBank")->setText(text); }
    QString BankBox() { return Find<QLineEdit>(*window, "txtBank")->text(); }
    // Change Account through the button: the name prompt, then the question's answer.
    std::shared_ptr<test::SeenMessage> ChangeTo(const QString& name,
                                                   const char* answer = nullptr,
                                                   std::vector<test::DialogStep> more = {}) {
        auto question = std::make_shared<test::SeenMessage>();
        std::vector<test::DialogStep> steps = {test::TypeInPrompt(name)};
        if (answer != nullptr) {
            steps.push_back(test::PressInMessageBox(QString::fromLatin1(answer), question));
        }
        steps.insert(steps.end(), more.begin(), more.end());
        AnswerDialogs(std::move(steps));
        Click("cmdChangeAccount");
        return question;
    }
    static std::string Name(const Bank& bank, int slot) {
        return StoredText(bank.AccountTable[slot].Name);
    }
};

TEST_F(BankWindowTest, SwitchingByNameIgnoresCaseAndSpacesAndKeepsTheCash) {
    Prepare({{"Default", 100}, {"Zo\xc3\xab", 70}}, 75);
    Start();
    ChangeTo(QStringLiteral("  zo\u00cb "));
    EXPECT_EQ(Text("lblCurrentAccount"), QStringLiteral("Zo\u00eb"));
    EXPECT_EQ(Text("lblSavings"), QStringLiteral("$70"));
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$75"));
    ChangeTo(QStringLiteral("  default "));
    EXPECT_EQ(Text("lblCurrentAccount"), QStringLiteral("Default"));
    const Bank saved = ExitAndReload();
    EXPECT_EQ(saved.AccountCount, 2);
    EXPECT_EQ(BankBytes().mid(46, 4), QByteArray("Zo\xeb "));
}

TEST_F(BankWindowTest, CreatingAnAccountGivesFiftyAndFiftyAndShowsTheSpacedSavings) {
    Prepare({{"Default", 100}}, 500);
    Start();
    auto question = ChangeTo(QStringLiteral(" Bob "), "&Yes");
    EXPECT_EQ(question->title, QStringLiteral("Corvanta - Bank Account Access"));
    EXPECT_EQ(question->text,
              QStringLiteral("That account does not exisit\rWould you like to create it?"));
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$50"));
    EXPECT_EQ(Text("lblCurrentAccount"), QStringLiteral("Bob"));
    EXPECT_EQ(Text("lblSavings"), QStringLiteral("$ 50"));
    EXPECT_EQ(Text("lblRoundsPlayed"), QStringLiteral("0"));
    EXPECT_EQ(Text("lblAveGains"), QStringLiteral("$0"));
    const Bank saved = ExitAndReload();
    ASSERT_EQ(saved.AccountCount, 2);
    EXPECT_EQ(Name(saved, 2), "Bob                 ");
    EXPECT_EQ(saved.AccountTable[2].Savings, 50);
    const StoredSettings settings = LoadSettings(folders.ConfigFolder()).values;
    EXPECT_EQ(settings.GCNum, 2);
    EXPECT_EQ(settings.CashOnHand, 50);
    EXPECT_EQ(BankBytes().mid(46 + 20, 8), QByteArray(8, '\0')); // no password was set
}

TEST_F(BankWindowTest, NoCancelAndBlankNamesChangeNothing) {
    Prepare({{"Default", 100}}, 100);
    Start();
    ChangeTo(QStringLiteral("Nobody"), "&No");
    AnswerPrompt(QString(), /*cancel=*/true);
    Find<QAction>(*window, "mnuChgAccount")->trigger();
    ChangeTo(QStringLiteral("    "));
    EXPECT_EQ(Text("lblCurrentAccount"), QStringLiteral("Default"));
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$100"));
    EXPECT_EQ(ExitAndReload().AccountCount, 1);
}

TEST_F(BankWindowTest, ALongNameIsStoredAsItsFirstTwentyCharacters) {
    Prepare({{"Default", 100}}, 100);
    Start();
    const QString longName = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY");
    ChangeTo(longName, "&Yes");
    EXPECT_EQ(Text("lblCurrentAccount"), longName); // shown in full until the next switch
    auto again = ChangeTo(longName, "&No");         // the stored name is shorter: no match
    EXPECT_TRUE(again->seen);
    ChangeTo(longName.left(20));
    EXPECT_EQ(Text("lblCurrentAccount"), longName.left(20));
    const Bank saved = ExitAndReload();
    EXPECT_EQ(saved.AccountCount, 2);
    EXPECT_EQ(Name(saved, 2), longName.left(20).toStdString());
}

TEST_F(BankWindowTest, ANamelessCurrentAccountIsNamedBeforeTheNewOneIsMade) {
    Prepare({{"", 100}}, 100); // a name of twenty spaces
    Start();
    auto naming = std::make_shared<test::SeenMessage>();
    ChangeTo(QStringLiteral("Second"), "&Yes",
             {test::TypeInPrompt(QStringLiteral("Jimmy Crack Corn"), naming)});
    EXPECT_EQ(naming->defaultText, QStringLiteral("Jimmy Crack Corn"));
    EXPECT_TRUE(naming->text.startsWith(QStringLiteral(
        "Please enter a name for this account before the new account is created:\rThe name")));
    const Bank saved = ExitAndReload();
    EXPECT_EQ(Name(saved, 1), "Jimmy Crack Corn    ");
    EXPECT_EQ(Name(saved, 2), "Second              ");
}

TEST_F(BankWindowTest, AFullBankRefusesANewAccountAndChangesNothing) {
    Bank full;
    for (int i = 1; i <= 100; ++i) {
        AssignText(full.AccountTable[i].Name, "Player " + std::to_string(i));
        full.AccountTable[i].Savings = i;
    }
    full.AccountCount = 100;
    ASSERT_TRUE(SaveBank(full, folders.ProgramFolder()).Ok);
    const QByteArray before = BankBytes();
    Start();
    auto full_message = std::make_shared<test::SeenMessage>();
    ChangeTo(QStringLiteral("One Too Many"), "&Yes",
             {test::PressInMessageBox(QStringLiteral("OK"), full_message)});
    EXPECT_EQ(full_message->title, QStringLiteral("Corvanta - Bank Account Access"));
    EXPECT_EQ(full_message->text,
              QStringLiteral("The bank is full: it holds 100 accounts, the most it can keep."));
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$100"));
    ExitAndReload();
    EXPECT_EQ(BankBytes(), before);
}

TEST_F(BankWindowTest, DepositAndWithdrawMustStayBelowWhatIsThere) {
    Prepare({{"Default", 40}}, 100);
    Start();
    SetBankBox(QStringLiteral("100"));
    Click("cmdDeposit");
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$100"));
    EXPECT_EQ(BankBox(), QStringLiteral("100"));
    SetBankBox(QStringLiteral("99"));
    Click("cmdDeposit");
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$1"));
    EXPECT_EQ(Text("lblSavings"), QStringLiteral("$139"));
    EXPECT_EQ(BankBox(), QStringLiteral("0"));
    SetBankBox(QStringLiteral("139"));
    Click("cmdWithdrawCash");
    EXPECT_EQ(Text("lblSavings"), QStringLiteral("$139"));
    SetBankBox(QStringLiteral("138"));
    Click("cmdWithdrawCash");
    EXPECT_EQ(Text("lblSavings"), QStringLiteral("$1"));
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$139"));
    EXPECT_EQ(ExitAndReload().AccountTable[1].Savings, 1);
}

TEST_F(BankWindowTest, MenuPromptsCancelsAndNegativeAmounts) {
    Prepare({{"Default", 100}}, 100);
    Start();
    auto deposit = AnswerPrompt(QStringLiteral("30"));
    Find<QAction>(*window, "mnuDeposit")->trigger();
    EXPECT_EQ(deposit->title, QStringLiteral("Corvanta - Deposit Cash"));
    EXPECT_EQ(deposit->text, QStringLiteral("Please"));
    auto withdraw = AnswerPrompt(QStringLiteral("10"));
    test::PressKeys(*window, QKeySequence(QStringLiteral("Ctrl+W")));
    EXPECT_EQ(withdraw->title, QStringLiteral("Corvanta - Withdraw Cash"));
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$80"));
    EXPECT_EQ(Text("lblSavings"), QStringLiteral("$120"));
    for (const char* menu : {"mnuDeposit", "mnuWithdraw"}) {
        AnswerPrompt(QString(), /*cancel=*/true);
        Find<QAction>(*window, menu)->trigger();
        AnswerPrompt(QStringLiteral("-500"));
        Find<QAction>(*window, menu)->trigger();
    }
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$80"));
    EXPECT_EQ(Text("lblSavings"), QStringLiteral("$120"));
    EXPECT_EQ(ExitAndReload().AccountTable[1].Savings, 120);
}

TEST_F(BankWindowTest, TheLoanIsOfferedWhenBothAreLowAndSetsBothToTwentyFive) {
    Prepare({{"Default", 15}}, 10);
    Start();
    auto* loan = Find<QPushButton>(*window, "cmdBankLoan");
    SetBankBox(QStringLiteral("50"));
    Click("cmdDeposit"); // a deposit never offers it
    EXPECT_FALSE(loan->isVisible());
    SetBankBox(QStringLiteral("99999"));
    Click("cmdWithdrawCash"); // an amount that does not convert ends the command
    EXPECT_FALSE(loan->isVisible());
    SetBankBox(QString());
    Click("cmdWithdrawCash");
    ASSERT_TRUE(loan->isVisible());
    EXPECT_EQ(loan->geometry().topLeft(),
              Find<QPushButton>(*window, "cmdWithdrawCash")->geometry().topLeft());
    EXPECT_GE(loan->geometry().right(),
              Find<QPushButton>(*window, "cmdDeposit")->geometry().right());
    Click("cmdBankLoan");
    EXPECT_FALSE(loan->isVisible());
    EXPECT_EQ(Text("lblCurrentCash"), QStringLiteral("$25"));
    EXPECT_EQ(Text("lblSavings"), QStringLiteral("$25"));
    EXPECT_EQ(ExitAndReload().AccountTable[1].Savings, 25);
}

TEST_F(BankWindowTest, ClearStatisticsZeroesTheFiveCounts) {
    Prepare({{"Default", 100}}, 100);
    Start();
    Click("cmdAddBet");
    session->random.Add({1, 9, 17, 25, 33});
    Click("cmdDeal");
    Click("cmdDeal");
    EXPECT_EQ(Text("lblRoundsPlayed"), QStringLiteral("1"));
    Click("cmdClearStats");
    for (const char* label : {"lblRoundsWon", "lblRoundsLost", "lblRoundsPlayed"}) {
        EXPECT_EQ(Text(label), QStringLiteral("0")) << label;
    }
    for (const char* label : {"lblAmountWon", "lblAmountLost", "lblAveGains"}) {
        EXPECT_EQ(Text(label), QStringLiteral("$0")) << label;
    }
    const Bank saved = ExitAndReload();
    EXPECT_EQ(BankBytes().mid(32, 14), QByteArray(14, '\0'));
    EXPECT_EQ(saved.AccountTable[1].Savings, 100);
}

// The account editor: everything happens inside its modal window.
class AccountEditorTest : public BankWindowTest {
protected:
    // Opens the editor, lets `work` act in it, and returns once it has closed.
    void InEditor(std::function<void(QDialog*)> work) {
        AnswerNextDialog([work](QWidget* dialog) {
            auto* editor = qobject_cast<QDialog*>(dialog);
            ASSERT_NE(editor, nullptr);
            work(editor);
            if (editor->isVisible()) {
                editor->reject();
            }
        });
        Click("cmdEditAccount");
    }
    static void Fill(QDialog* editor, const QString& name, const QString& pw0, const QString& pw1) {
        editor->findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(name);
        editor->findChild<QLineEdit*>(QStringLiteral("txtPW_0"))->setText(pw0);
        editor->findChild<QLineEdit*>(QStringLiteral("txtPW_1"))->setText(pw1);
    }
    static void Press(QDialog* editor, const char* button) {
        QTest::mouseClick(editor->findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }
};

TEST_F(AccountEditorTest, OpensModalOnTheCurrentNameAndSavesATrimmedName) {
    Prepare({{"Default", 100}}, 100);
    Start();
    InEditor([this](QDialog* editor) {
        EXPECT_TRUE(editor->isModal());
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Edit Account"));
        EXPECT_EQ(editor->findChild<QLineEdit*>(QStringLiteral("txtName"))->text(),
                  QStringLiteral("Default"));
        EXPECT_EQ(editor->findChild<QLineEdit*>(QStringLiteral("txtName"))->maxLength(), 25);
        EXPECT_EQ(editor->findChild<QLineEdit*>(QStringLiteral("txtPW_0"))->echoMode(),
                  QLineEdit::Password);
        EXPECT_LE((editor->geometry().center() - window->geometry().center()).manhattanLength(),
                  40);
        Fill(editor, QStringLiteral("  Ace  "), QStringLiteral("SeCrEt"),
             QStringLiteral(" secret "));
        QTest::keyClick(editor, Qt::Key_Return); // Save Changes is the default button
        EXPECT_FALSE(editor->isVisible());
    });
    EXPECT_EQ(Text("lblCurrentAccount"), QStringLiteral("Ace                 "));
    ExitAndReload();
    EXPECT_EQ(BankBytes().left(28), QByteArray("Ace                 SeCrEt  "));
}

TEST_F(AccountEditorTest, ABlankNameIsRefusedAndTheStoredNameComesBack) {
    Prepare({{"Default", 100}}, 100);
    Start();
    auto seen = std::make_shared<test::SeenMessage>();
    InEditor([&](QDialog* editor) {
        Fill(editor, QStringLiteral("     "), {}, {});
        AnswerDialogs({test::PressInMessageBox(QStringLiteral("OK"), seen)});
        Press(editor, "cmdApply");
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->findChild<QLineEdit*>(QStringLiteral("txtName"))->text(),
                  QStringLiteral("Default"));
    });
    EXPECT_EQ(seen->title, QStringLiteral("Corvanta - Edit Account"));
    EXPECT_TRUE(
        seen->text.startsWith(QStringLiteral("Unable to save the new name!\rNames cannot")));
    ExitAndReload();
    EXPECT_EQ(BankBytes().left(20), QByteArray("Default             "));
}

TEST_F(AccountEditorTest, MismatchedPasswordsThenCancelKeepTheNewNameOnly) {
    Prepare({{"Default", 100}}, 100);
    Start();
    auto seen = std::make_shared<test::SeenMessage>();
    InEditor([&](QDialog* editor) {
        Fill(editor, QStringLiteral("Renamed"), QStringLiteral("one"), QStringLiteral("two"));
        AnswerDialogs({test::PressInMessageBox(QStringLiteral("OK"), seen)});
        Press(editor, "cmdApply");
        EXPECT_TRUE(editor->isVisible());
        EXPECT_TRUE(editor->findChild<QLineEdit*>(QStringLiteral("txtPW_0"))->text().isEmpty());
        EXPECT_TRUE(editor->findChild<QLineEdit*>(QStringLiteral("txtPW_1"))->text().isEmpty());
        QTest::keyClick(editor, Qt::Key_Escape);
    });
    EXPECT_TRUE(
        seen->text.startsWith(QStringLiteral("Unable to save the new password!\rThe two entries")));
    EXPECT_EQ(Text("lblCurrentAccount"), QStringLiteral("Default")); // not refreshed
    ExitAndReload();
    EXPECT_EQ(BankBytes().left(28), QByteArray("Renamed             ") + QByteArray(8, '\0'));
}

} // namespace
} // namespace corvanta
