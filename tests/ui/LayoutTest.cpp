#include "WindowTesting.h"

#include "ui/Widgets.h"
#include "ui/frmPoker/Layout.h"
#include "ui/frmPoker/MainWindow.h"

#include <QAction>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace corvanta {
namespace {

using test::Find;

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return ToPixels({left, top, width, height});
}

class LayoutTest : public ::testing::Test {
protected:
    LayoutTest() : session(folders), window(session.model, session.cards) {}

    // Where a control of the layout lands in the window's client area.
    QRect InClient(QWidget* widget) {
        return QRect(widget->mapTo(window.centralWidget(), QPoint(0, 0)), widget->size());
    }
    QRect Expected(layout::Area area, QRect inArea) {
        if (area == layout::Area::Window) {
            return inArea;
        }
        const layout::Frame& frame =
            area == layout::Area::Bank ? layout::BankFrame : layout::StatsFrame;
        return inArea.translated(Px(frame.place.left), Px(frame.place.top));
    }
    // The caption's ink must fit the control: no clipped letters.
    static void ExpectFits(QWidget* widget, const QString& caption, int margin) {
        const QFontMetrics metrics(widget->font());
        QString shown = caption;
        shown.remove(QLatin1Char('&'));
        EXPECT_LE(metrics.horizontalAdvance(shown) + margin, widget->width())
            << widget->objectName().toStdString() << " \"" << shown.toStdString() << '"';
        EXPECT_LE(metrics.ascent() + metrics.descent(), widget->height() + 2)
            << widget->objectName().toStdString();
    }

    test::TempFolders folders;
    test::TestGame session;
    MainWindow window;
};

TEST_F(LayoutTest, TheClientAreaIsTheDesignedSizeBelowTheMenuBar) {
    EXPECT_EQ(window.centralWidget()->size(), QSize(573, 329));
    EXPECT_EQ(window.centralWidget()->palette().color(QPalette::Window), QColor(0, 128, 0));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()); // a fixed border
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(window.windowIcon().pixmap(16, 16).isNull());
}

TEST_F(LayoutTest, EveryLabelStandsWhereItWasDesignedAndItsCaptionFits) {
    for (const layout::Label& item : layout::Labels) {
        auto* label = Find<QLabel>(window, item.row.name);
        ASSERT_NE(label, nullptr) << item.row.name;
        EXPECT_EQ(InClient(label), Expected(item.area, ToPixels(item.row.place))) << item.row.name;
        ExpectFits(label, QString::fromLatin1(item.row.caption), 0);
    }
    // The payoff table from the top: the hand, its name, the multiplier and its caption, which
    // must agree with what the game pays (engine/Round.h).
    struct PayoffRow {
        const char* handName;
        const char* hand;
        const char* multiplierName;
        const char* multiplier;
    };
    const PayoffRow rows[] = {
        {"lblRoyalFlushC", "Royal Flush", "lblRFPayoffC", "100x"},
        {"lblStraightFlushC", "Straight Flush", "lblSFPayOffC", "50x"},
        {"lbl5KindC", "Five of a Kind", "Label1", "40x"},
        {"lbl4KindC", "Four of a Kind", "Label2", "25x"},
        {"lblFullC", "Full House", "Label3", "12x"},
        {"lblFlushPayoff", "Flush", "Label4", "8x"},
        {"lblStraightC", "Straight", "Label5", "5x"},
        {"lbl3KindC", "Three of a Kind", "Label6", "3x"},
        {"lbl2PairC", "Two Pair", "Label7", "2x"},
        {"lblPairC", "Pair", "Label8", "x"},
    };
    ASSERT_EQ(layout::PayoffLabels.size(), 2 * std::size(rows));
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        const PayoffRow& item = rows[row];
        const int top = 960 + static_cast<int>(row) * 240; // ten rows 240 twips apart
        auto* hand = Find<QLabel>(window, item.handName);
        auto* multiplier = Find<QLabel>(window, item.multiplierName);
        ASSERT_NE(hand, nullptr) << item.handName;
        ASSERT_NE(multiplier, nullptr) << item.multiplierName;
        EXPECT_EQ(hand->text(), QString::fromLatin1(item.hand));
        EXPECT_EQ(multiplier->text(), QString::fromLatin1(item.multiplier));
        EXPECT_EQ(InClient(hand), ToPixels(layout::PayoffLabels[2 * row].place)) << item.handName;
        EXPECT_EQ(InClient(multiplier), ToPixels(layout::PayoffLabels[2 * row + 1].place))
            << item.multiplierName;
        EXPECT_EQ(InClient(hand).y(), Px(top)) << item.handName;
        EXPECT_EQ(InClient(multiplier).y(), Px(top)) << item.multiplierName;
        EXPECT_EQ(multiplier->height(), Px(255));
        EXPECT_EQ(InClient(multiplier).right(),
                  TwipsRect(7920, 0, 495, 1).right()); // one right edge
        EXPECT_EQ(InClient(hand).x(), Px(6480));
        ExpectFits(hand, hand->text(), 0);
        ExpectFits(multiplier, multiplier->text(), 0);
        EXPECT_TRUE(hand->autoFillBackground()); // the payoff table is opaque
        EXPECT_TRUE(multiplier->autoFillBackground());
    }
    // The last-hand label must hold the longest hand name.
    auto* lastHand = Find<QLabel>(window, "lblLastHand");
    ExpectFits(lastHand, QStringLiteral("Not a Winning Hand"), 0);
    for (int n = 1; n <= 5; ++n) {
        auto* card = Find(window, ("Card" + std::to_string(n)).c_str());
        EXPECT_EQ(InClient(card), QRect(Px(240 + 1200 * (n - 1)), Px(480), 71, 96)) << n;
        auto* discard = Find<QLabel>(window, ("lblDiscard" + std::to_string(n)).c_str());
        EXPECT_EQ(InClient(discard), TwipsRect(240 + 1200 * (n - 1), 2040, 1095, 255)) << n;
        ExpectFits(discard, discard->text(), 0);
    }
}

TEST_F(LayoutTest, EveryButtonAndBoxStandsWhereItWasDesigned) {
    for (const layout::Button& item : layout::Buttons) {
        auto* button = Find<QPushButton>(window, item.name);
        ASSERT_NE(button, nullptr) << item.name;
        EXPECT_EQ(InClient(button), Expected(item.area, ToPixels(item.place))) << item.name;
        EXPECT_EQ(button->text(), QString::fromLatin1(item.caption));
        ExpectFits(button, button->text(), 6);
    }
    for (const layout::TextBox& item : {layout::BetBox, layout::BankBox}) {
        auto* box = Find<QLineEdit>(window, item.name);
        ASSERT_NE(box, nullptr) << item.name;
        EXPECT_EQ(InClient(box), Expected(item.area, ToPixels(item.place)));
        EXPECT_EQ(box->maxLength(), 7);
        EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }
    EXPECT_TRUE(Find<QPushButton>(window, "cmdDeal")->isDefault());
    EXPECT_EQ(InClient(Find(window, "imgShowDebug")), TwipsRect(7800, 1200, 255, 255));
}

TEST_F(LayoutTest, MenusHoldTheirEntriesShortcutsAndSeparatorsInOrder) {
    struct Entry {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const std::vector<std::pair<const char*, std::vector<Entry>>> menus = {
        {"mnuGame",
         {{"mnuBet", "Place &Bet", "Ctrl+B"},
          {"mnuDeal", "&Deal", "Ctrl+D"},
          {"mnuSep1", "", ""},
          {"mnuExit", "E&xit", "Ctrl+Y"}}},
        {"mnuBank",
         {{"mnuWithdraw", "&Withdraw", "Ctrl+W"},
          {"mnuDeposit", "De&posit", "Ctrl+P"},
          {"mnuSep2", "", ""},
          {"mnuChgAccount", "Change &Account", "Ctrl+A"}}},
    };
    for (const auto& [menuName, entries] : menus) {
        auto* menu = Find<QMenu>(window, menuName);
        ASSERT_NE(menu, nullptr) << menuName;
        QList<QAction*> actions = menu->actions();
        actions.erase(std::remove_if(actions.begin(), actions.end(),
                                     [](QAction* a) {
                                         return a->objectName() == QStringLiteral("mnuAdvisor") ||
                                                a->objectName() == QStringLiteral("mnuTrainer");
                                     }),
                      actions.end());
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(entries.size())) << menuName;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(entries[i].name));
            EXPECT_EQ(actions[i]->text(), QString::fromLatin1(entries[i].caption));
            EXPECT_EQ(actions[i]->shortcut(),
                      QKeySequence(QString::fromLatin1(entries[i].shortcut)));
        }
    }
    for (const char* name : {"mnuOptions", "mnuHelp"}) {
        auto* action = Find<QAction>(window, name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->menu(), nullptr) << name; // acts itself, no drop-down
    }
}

} // namespace
} // namespace corvanta
