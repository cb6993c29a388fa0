#include "ui/frmHelp/HelpWindow.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace corvanta {
namespace {

const QColor Orange(255, 128, 0);

struct ExpectedLabel {
    int tab;
    const char* name;
    int left, top, width, height; // twips, from the tab control's corner
    bool bold;
    bool transparent;
    const char* text;
};

// The help texts as the player must read them, with their places.
// lblMisc_3, _4 and _5 are widened to 6300 so their line fits the substitute font.
const ExpectedLabel Expected[] = {
    {0, "lblHTP_0", 240, 480, 6360, 195, true, false,
     "1) To begin the round, enter a starting bet of at least $5, then click <Bet>."},
    {0, "lblHTP_1", 240, 840, 6450, 435, true, false,
     "2) Click the <Deal> button once to receive your cards. Once you have received your cards, "
     "you "
     "will no longer be allowed to place bets."},
    {0, "lblHTP_2", 240, 1320, 6345, 435, true, false,
     "3) Click on the cards you wish to discard. Their colors will be inverted, and the word "
     "\"DISCARD\" will appear below each of them."},
    {0, "lblHTP_3", 240, 1800, 6060, 195, true, false,
     "4) Click on <Deal> again to receive your new cards and end the round."},
    {0, "lblHTP_4", 240, 2160, 6060, 195, true, false,
     "5) Your winnings will automatically be added to your cash."},
    {0, "lblHTP_5", 480, 2400, 5295, 195, true, false,
     "Cash on Hand is displayed in yellow below the <Deal> button."},
    {0, "lblHTP_6", 480, 2640, 5310, 195, true, false,
     "The Amount Bet is displayed in green above the <Bet> button."},
    {1, "lblBA_0", 240, 480, 5055, 195, true, false,
     "To access an existing account or to create a new account:"},
    {1, "lblBA_5", 360, 720, 6195, 675, false, false,
     "Click on <Change Account>. Enter the name of the account you wish to access or create. The "
     "game will then access the account if it already exists, or create a new account if it does "
     "not."},
    {1, "lblBA_2", 240, 1320, 1695, 195, true, false, "To edit an account:"},
    {1, "lblBA_6", 360, 1560, 6315, 795, false, false,
     "Click on <Edit Account>. The game will display a form that will allow you to change the name "
     "and password of the account. Press <Save Changes> to save the changes and return to the "
     "game. (Setting the password will not affect gameplay as the feature has not yet been "
     "implemented.)"},
    {1, "lblBA_1", 240, 2400, 4050, 195, true, true,
     "To deposit or withdraw money from an account:"},
    {1, "lblBA_7", 360, 2640, 6315, 435, false, false,
     "Enter the amount you wish to deposit or withdraw into the text box above the <Deposit> and "
     "<Withdraw> buttons, then click on the action you wish to perform."},
    {1, "lblBA_4", 240, 3120, 4155, 195, true, false,
     "What happens when an account goes bankrupt?"},
    {1, "lblBA_8", 360, 3360, 6315, 435, false, false,
     "Nothing. If you go bankrupt, the bank will provide you a $50 loan to keep playing. You can "
     "receive this loan as many time as you need, and do not need to repay it."},
    {2, "lblMisc_0", 240, 480, 2235, 195, true, false, "To change the card back:"},
    {2, "lblMisc_3", 360, 720, 6300, 195, false, false,
     "1) Click on <Options> or select 'Options' from the menu."},
    {2, "lblMisc_4", 360, 960, 6300, 195, false, false,
     "2) Click on the image you want to use as the new back face. It will be highlighted."},
    {2, "lblMisc_5", 360, 1200, 6300, 195, false, false,
     "3) Close the Options window to continue playing with the new back face."},
    {2, "lblMisc_1", 240, 1560, 2625, 195, true, false, "Keeping track of the statistics:"},
    {2, "lblMisc_2", 360, 1800, 6300, 435, false, true,
     "The game records the number of rounds played, rounds won, rounds lost, the amount won, the "
     "amount lost, and calculates the average gains of each round."},
    {2, "lblMisc_6", 360, 2280, 6300, 675, false, true,
     "The Average Gains of each round is calculated by detracting the Amount Lost from the Amount "
     "Won, then dividing the result by the total number of rounds played."},
    {2, "lblMisc_7", 360, 2760, 6300, 435, false, true,
     "The Amount Won only includes the sum of winnings above the amounts bet. Because of this, "
     "winnings from a single pair are not included."},
    {2, "lblMisc_8", 360, 3240, 6300, 435, true, false,
     "To clear your statistics, click on the <Clear Statistics> button. This action cannot be "
     "undone."},
};

struct ExpectedColourWord {
    const char* name;
    const char* sentence;
    const char* word;
    QColor colour;
};

const ExpectedColourWord ColourWords[] = {
    {"lblHTP_7", "lblHTP_5", "yellow", QColor(192, 192, 0)},
    {"lblHTP_8", "lblHTP_6", "green", QColor(0, 255, 0)},
};

bool IsColourWordOver(const QLabel& cover, const QLabel& sentence) {
    for (const ExpectedColourWord& word : ColourWords) {
        if (cover.objectName() == QString::fromLatin1(word.name) &&
            sentence.objectName() == QString::fromLatin1(word.sentence)) {
            return true;
        }
    }
    return false;
}

QString Latin1(const char* text) {
    return QString::fromLatin1(text);
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return ToPixels({left, top, width, height});
}

// Game Help opens the window as the main window does: one at a time, brought to the front.
void ShowHelp(QPointer<HelpWindow>& slot) {
    ShowOrRaise(slot, [] { return new HelpWindow; });
}

void ProcessDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int VisibleHelpWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<HelpWindow*>(widget) && widget->isVisible() ? 1 : 0;
    }
    return count;
}

class HelpWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (help != nullptr) {
            help->close();
        }
        ProcessDeletions();
    }

    void Open() {
        ShowHelp(help);
        ASSERT_FALSE(help.isNull());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(help.data()));
    }

    QTabWidget* Tabs() const { return help->findChild<QTabWidget*>(QStringLiteral("tabHelp")); }
    QPushButton* CloseButton() const {
        return help->findChild<QPushButton*>(QStringLiteral("cmdClose"));
    }
    QLabel* Label(const char* name) const { return help->findChild<QLabel*>(Latin1(name)); }
    // A widget's rectangle measured from the tab control's corner.
    QRect OnTabControl(const QWidget* widget) const {
        return QRect(widget->mapTo(Tabs(), QPoint(0, 0)), widget->size());
    }

    QPointer<HelpWindow> help;
};

TEST_F(HelpWindowTest, OpenedTwiceIsOneWindowBroughtToTheFront) {
    Open();
    const HelpWindow* first = help.data();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    ShowHelp(help);
    EXPECT_EQ(help.data(), first);
    EXPECT_EQ(VisibleHelpWindows(), 1);
    EXPECT_TRUE(QTest::qWaitForWindowActive(help.data()));
}

TEST_F(HelpWindowTest, IsAModelessWindowWithoutOwner) {
    Open();
    EXPECT_EQ(help->objectName(), QStringLiteral("frmHelp"));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Game Help"));
    EXPECT_EQ(help->parentWidget(), nullptr);
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(help->windowModality(), Qt::NonModal);
    EXPECT_EQ(help->size(), QSize(474, 312));
    EXPECT_EQ(help->minimumSize(), help->maximumSize());
    EXPECT_EQ(help->windowType(), Qt::Dialog);
    EXPECT_FALSE(help->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(help->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(help->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(help->palette().color(QPalette::Window), Orange);
}

TEST_F(HelpWindowTest, HasThreeOrangeTabsAndTheCloseButton) {
    Open();
    QTabWidget* tabs = Tabs();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->geometry(), QRect(8, 8, 457, 265));
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("How To Play"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Bank Accounts"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Miscellaneous"));
    const QFont captions = tabs->tabBar()->font();
    EXPECT_TRUE(captions.bold());
    EXPECT_EQ(captions.pointSizeF(), 8.25);
    EXPECT_EQ(QFontInfo(captions).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(tabs->tabBar()->palette().color(QPalette::Button), Orange);
    for (int tab = 0; tab < tabs->count(); ++tab) {
        EXPECT_TRUE(tabs->widget(tab)->autoFillBackground()) << tab;
        EXPECT_EQ(tabs->widget(tab)->palette().color(QPalette::Window), Orange) << tab;
    }

    QPushButton* close = CloseButton();
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("Close"));
    EXPECT_EQ(close->geometry(), QRect(352, 280, 113, 25));
    EXPECT_TRUE(close->isDefault());
}

TEST_F(HelpWindowTest, FocusGoesToTheTabsThenToClose) {
    Open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help.data()));
    EXPECT_EQ(help->focusWidget(), Tabs()->tabBar());
    QTest::keyClick(Tabs()->tabBar(), Qt::Key_Tab);
    EXPECT_EQ(help->focusWidget(), CloseButton());
}

TEST_F(HelpWindowTest, EveryWayOfClosingDeletesTheWindow) {
    struct Way {
        const char* name;
        std::function<void()> close;
    };
    const auto key = [this](Qt::Key key, bool onTabBar) {
        return [this, key, onTabBar] {
            QWidget* target = onTabBar ? static_cast<QWidget*>(Tabs()->tabBar()) : CloseButton();
            target->setFocus();
            ASSERT_EQ(help->focusWidget(), target);
            QTest::keyClick(target, key);
        };
    };
    const Way ways[] = {
        {"Esc on the tab bar", key(Qt::Key_Escape, true)},
        {"Esc on Close", key(Qt::Key_Escape, false)},
        {"Return on the tab bar", key(Qt::Key_Return, true)},
        {"Return on Close", key(Qt::Key_Return, false)},
        {"keypad Enter on the tab bar", key(Qt::Key_Enter, true)},
        {"click on Close",
         [this] {
             QTest::mouseClick(CloseButton(), Qt::LeftButton);
         }},
        {"the close box",
         [this] {
             help->close();
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        Open();
        way.close();
        EXPECT_FALSE(help && help->isVisible());
        ProcessDeletions();
        EXPECT_TRUE(help.isNull());
        EXPECT_EQ(VisibleHelpWindows(), 0);
    }
}

TEST_F(HelpWindowTest, ReopeningAfterClosingOnMiscellaneousStartsOnHowToPlay) {
    Open();
    QTabBar* bar = Tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    ASSERT_EQ(Tabs()->currentIndex(), 2);
    help->close();
    ProcessDeletions();
    ASSERT_TRUE(help.isNull());

    Open();
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_TRUE(Label("lblHTP_0")->isVisible());
    EXPECT_FALSE(Label("lblMisc_0")->isVisible());
}

TEST_F(HelpWindowTest, EachTabHoldsItsLabelsWithTheirExactTexts) {
    Open();
    int expectedCount[3] = {2, 0, 0}; // the two colour words stand on "How To Play" too
    for (const ExpectedLabel& expected : Expected) {
        SCOPED_TRACE(expected.name);
        ++expectedCount[expected.tab];
        const QLabel* label = Label(expected.name);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(Tabs()->widget(expected.tab)->isAncestorOf(label));
        EXPECT_EQ(label->text(), Latin1(expected.text));
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    }
    for (const ExpectedColourWord& expected : ColourWords) {
        ASSERT_NE(Label(expected.name), nullptr) << expected.name;
        EXPECT_EQ(Label(expected.name)->text(), Latin1(expected.word));
    }
    for (int tab = 0; tab < 3; ++tab) {
        EXPECT_EQ(Tabs()->widget(tab)->findChildren<QLabel*>().size(), expectedCount[tab]) << tab;
    }
    EXPECT_EQ(expectedCount[1], 8);
    EXPECT_EQ(Label("lblBA_3"), nullptr);
}

TEST_F(HelpWindowTest, LabelsStandWhereTheLayoutPutsThem) {
    Open();
    const QColor controlGrey = QApplication::palette().color(QPalette::Button);
    ASSERT_NE(controlGrey, Orange);
    for (const ExpectedLabel& expected : Expected) {
        SCOPED_TRACE(expected.name);
        const QLabel* label = Label(expected.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(OnTabControl(label),
                  TwipsRect(expected.left, expected.top, expected.width, expected.height));
        EXPECT_EQ(label->font().bold(), expected.bold);
        EXPECT_EQ(label->font().pointSizeF(), 8.25);
        EXPECT_EQ(QFontInfo(label->font()).family(), QStringLiteral("Liberation Sans"));
        EXPECT_TRUE(label->wordWrap());
        EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
        // What the player sees in the label's corner, above the first line's ink.
        Tabs()->setCurrentIndex(expected.tab);
        const QImage page = Tabs()->currentWidget()->grab().toImage();
        const QPoint corner = label->mapTo(Tabs()->currentWidget(), QPoint(0, 0));
        EXPECT_EQ(page.pixelColor(corner), expected.transparent ? Orange : controlGrey);
    }
    // A few in pixels, as drawn.
    EXPECT_EQ(OnTabControl(Label("lblHTP_0")), QRect(16, 32, 424, 13));
    EXPECT_EQ(OnTabControl(Label("lblBA_6")), QRect(24, 104, 421, 53));
    EXPECT_EQ(OnTabControl(Label("lblMisc_8")), QRect(24, 216, 420, 29));
}

TEST_F(HelpWindowTest, EveryTextFitsItsLabelAndNoOtherLabelCoversIt) {
    Open();
    const QList<QLabel*> labels = Tabs()->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), std::size(Expected) + std::size(ColourWords));
    for (const QLabel* label : labels) {
        SCOPED_TRACE(label->objectName().toStdString());
        const QRect box(QPoint(0, 0), label->size());
        const QRect needed = label->fontMetrics().boundingRect(
            box, Qt::TextWordWrap | label->alignment(), label->text());
        EXPECT_TRUE(box.contains(needed)) << needed.width() << "x" << needed.height();

        // Opaque labels stacked above this one must leave its text alone; a colour word covers
        // its sentence's plain word on purpose.
        const QObjectList siblings = label->parentWidget()->children();
        for (qsizetype above = siblings.indexOf(label) + 1; above < siblings.size(); ++above) {
            const auto* other = qobject_cast<const QLabel*>(siblings[above]);
            if (!other || !other->autoFillBackground() || IsColourWordOver(*other, *label)) {
                continue;
            }
            EXPECT_FALSE(other->geometry().intersects(needed.translated(label->pos())))
                << "covered by " << other->objectName().toStdString();
        }
    }
}

TEST_F(HelpWindowTest, ColourWordsCoverTheirPlainWordsExactly) {
    Open();
    const QImage page = Tabs()->widget(0)->grab().toImage();
    for (const ExpectedColourWord& expected : ColourWords) {
        SCOPED_TRACE(expected.name);
        const QLabel* cover = Label(expected.name);
        const QLabel* sentence = Label(expected.sentence);
        ASSERT_NE(cover, nullptr);
        ASSERT_NE(sentence, nullptr);
        ASSERT_EQ(cover->parentWidget(), sentence->parentWidget());
        const QObjectList siblings = sentence->parentWidget()->children();
        EXPECT_GT(siblings.indexOf(cover), siblings.indexOf(sentence)) << "must lie on top";
        EXPECT_EQ(cover->palette().color(QPalette::WindowText), expected.colour);
        EXPECT_TRUE(cover->autoFillBackground());
        EXPECT_EQ(cover->font(), sentence->font());

        // Where the sentence draws the word, in the sentence's coordinates.
        const QString word = Latin1(expected.word);
        const QString text = sentence->text();
        const QString before = text.left(text.indexOf(word));
        const QFontMetrics metrics(sentence->font());
        const int pen = metrics.horizontalAdvance(before);
        const QRect advance(pen, 0, metrics.horizontalAdvance(word), metrics.height());
        const QRect ink = metrics.boundingRect(word).translated(pen, metrics.ascent());
        const QRect covered = cover->geometry().translated(-sentence->pos());
        EXPECT_TRUE(covered.contains(advance));
        EXPECT_TRUE(covered.contains(ink));
        EXPECT_EQ(covered.left() + cover->indent(), pen)
            << "the colour word starts on the plain one";
        EXPECT_GE(covered.left(), metrics.horizontalAdvance(before.trimmed()));
        EXPECT_LT(covered.right(), metrics.horizontalAdvance(before + word + QStringLiteral(" ")));

        // On screen: the word shows in its colour and no dark ink of the plain word peeks out.
        const QRect onPage(cover->mapTo(Tabs()->widget(0), QPoint(0, 0)), cover->size());
        int coloured = 0;
        int dark = 0;
        for (int y = onPage.top(); y <= onPage.bottom(); ++y) {
            for (int x = onPage.left(); x <= onPage.right(); ++x) {
                const QColor pixel = page.pixelColor(x, y);
                coloured += pixel == expected.colour ? 1 : 0;
                dark += std::max({pixel.red(), pixel.green(), pixel.blue()}) < 128 ? 1 : 0;
            }
        }
        EXPECT_GT(coloured, 5);
        EXPECT_EQ(dark, 0);
    }
}

} // namespace
} // namespace corvanta
