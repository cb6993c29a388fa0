// The main window's controls and menus, made from the layout tables. Each control that the
// window speaks to later is kept in its member as it is made.
#include "engine/Cards.h"
#include "engine/PayoffTexts.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/frmPoker/CardPicture.h"
#include "ui/frmPoker/Layout.h"
#include "ui/frmPoker/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <span>
#include <utility>

namespace corvanta {
namespace {

QString Latin1(const char* text) {
    return QString::fromLatin1(text);
}

template <typename Member, std::size_t N>
Member MemberNamed(const std::pair<const char*, Member> (&members)[N], const char* name) {
    for (const auto& [memberName, member] : members) {
        if (std::string_view(memberName) == name) {
            return member;
        }
    }
    return nullptr;
}

} // namespace

void MainWindow::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    PaintBackground(client, TableGreen);
    setCentralWidget(client);

    auto frame = [client](const layout::Frame& item) {
        auto* box = new QGroupBox(Latin1(item.caption), client);
        box->setObjectName(Latin1(item.name));
        box->setGeometry(ToPixels(item.place));
        return box;
    };
    const Areas areas{client, frame(layout::BankFrame), frame(layout::StatsFrame)};
    BuildLabels(areas);
    BuildButtons(areas);
    BuildTable(areas);
    SetTabOrder();
}

QWidget* MainWindow::Areas::Of(layout::Area area) const {
    return area == layout::Area::Bank ? bank : area == layout::Area::Stats ? stats : window;
}

void MainWindow::BuildLabels(const Areas& areas) {
    static const std::pair<const char*, QLabel * MainWindow::*> keptLabels[] = {
        {"lblLastHand", &MainWindow::lblLastHand_},
        {"lblCurrentCash", &MainWindow::lblCurrentCash_},
        {"lblBetAmount", &MainWindow::lblBetAmount_},
        {"lblCurrentAccount", &MainWindow::lblCurrentAccount_},
        {"lblSavings", &MainWindow::lblSavings_},
        {"lblRoundsWon", &MainWindow::lblRoundsWon_},
        {"lblRoundsLost", &MainWindow::lblRoundsLost_},
        {"lblRoundsPlayed", &MainWindow::lblRoundsPlayed_},
        {"lblAmountWon", &MainWindow::lblAmountWon_},
        {"lblAmountLost", &MainWindow::lblAmountLost_},
        {"lblAveGains", &MainWindow::lblAveGains_},
    };
    for (const layout::Label& item : layout::Labels) {
        QLabel* label = AddLabel(areas.Of(item.area), item.row);
        if (auto kept = MemberNamed(keptLabels, item.row.name)) {
            this->*kept = label;
        }
    }
    ShowPayoffs(model_.CurrentGame());
    for (const layout::Line& item : layout::Lines) {
        AddLine(areas.Of(item.area), item.name, item.place);
    }
}

void MainWindow::ShowPayoffs(const Game& game) {
    if (payoffsShown_ == &game) {
        return;
    }
    payoffsShown_ = &game;
    for (QLabel* label : payoffLabels_) {
        delete label;
    }
    payoffLabels_.clear();
    const std::vector<PayoffBoardRow> board = PayoffBoard(game);
    const std::size_t rows = std::min(board.size(), layout::PayoffRows.size());
    for (std::size_t row = 0; row < rows; ++row) {
        const std::string name(board[row].name);
        const std::string& multiplier = board[row].multiplier;
        payoffLabels_.push_back(
            AddLabel(centralWidget(), layout::PayoffName(row, rows, name.c_str(), multiplier)));
        payoffLabels_.push_back(
            AddLabel(centralWidget(), layout::PayoffMultiplier(row, rows, multiplier.c_str())));
    }
    for (QLabel* label : payoffLabels_) {
        label->show(); // made after the window showed, a label shows only when told
    }
    if (imgShowDebug_ != nullptr) {
        imgShowDebug_->raise(); // it keeps its clicks
    }
}

void MainWindow::BuildButtons(const Areas& areas) {
    static const std::pair<const char*, QPushButton * MainWindow::*> keptButtons[] = {
        {"cmdDeal", &MainWindow::cmdDeal_},
        {"cmdAddBet", &MainWindow::cmdAddBet_},
        {"cmdWithdrawCash", &MainWindow::cmdWithdrawCash_},
        {"cmdDeposit", &MainWindow::cmdDeposit_},
        {"cmdBankLoan", &MainWindow::cmdBankLoan_},
        {"cmdChangeAccount", &MainWindow::cmdChangeAccount_},
        {"cmdEditAccount", &MainWindow::cmdEditAccount_},
        {"cmdClearStats", &MainWindow::cmdClearStats_},
        {"cmdGameHelp", &MainWindow::cmdGameHelp_},
        {"cmdOptions", &MainWindow::cmdOptions_},
        {"cmdExit", &MainWindow::cmdExit_},
    };
    for (const layout::Button& item : layout::Buttons) {
        auto* button = new QPushButton(Latin1(item.caption), areas.Of(item.area));
        button->setObjectName(Latin1(item.name));
        button->setGeometry(ToPixels(item.place));
        button->setAutoDefault(false);
        if (auto kept = MemberNamed(keptButtons, item.name)) {
            this->*kept = button;
        }
    }
    cmdBankLoan_->hide();
    cmdDeal_->setDefault(true);
}

void MainWindow::BuildTable(const Areas& areas) {
    auto textBox = [&](const layout::TextBox& item) {
        auto* box = new QLineEdit(Latin1(item.text), areas.Of(item.area));
        box->setObjectName(Latin1(item.name));
        box->setGeometry(ToPixels(item.place));
        box->setFont(FontOf(GameFont::Arial975));
        box->setAlignment(Qt::AlignRight);
        box->setMaxLength(layout::AmountBoxMaxLength);
        box->installEventFilter(this);
        return box;
    };
    txtBet_ = textBox(layout::BetBox);
    txtBank_ = textBox(layout::BankBox);

    for (int slot = 0; slot < HandSize; ++slot) {
        cardPictures_[slot] = new CardPicture(model_, cards_, slot, areas.window);
        cardPictures_[slot]->move(Px(layout::CardLeft(slot)), Px(layout::CardTop));
        const std::string name = "lblDiscard" + std::to_string(slot + 1);
        discardLabels_[slot] =
            AddLabel(areas.window, {name.c_str(), layout::DiscardLabel(slot), "DISCARD",
                                    GameFont::Standard, layout::White, Qt::AlignHCenter});
    }

    // The invisible spot stays on top of the payoff labels so that it receives its clicks.
    imgShowDebug_ = new QWidget(areas.window);
    imgShowDebug_->setObjectName(QStringLiteral("imgShowDebug"));
    imgShowDebug_->setGeometry(ToPixels(layout::DebugSpot));
    imgShowDebug_->raise();
    imgShowDebug_->installEventFilter(this);
}

void MainWindow::SetTabOrder() {
    // Deal, the five cards, Bet, the statistics frame, the bet box, then the rest.
    QWidget* order[] = {cmdDeal_,         cardPictures_[0],  cardPictures_[1], cardPictures_[2],
                        cardPictures_[3], cardPictures_[4],  cmdAddBet_,       cmdClearStats_,
                        txtBet_,          txtBank_,          cmdWithdrawCash_, cmdDeposit_,
                        cmdBankLoan_,     cmdChangeAccount_, cmdEditAccount_,  cmdGameHelp_,
                        cmdOptions_,      cmdExit_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void MainWindow::BuildMenus() {
    auto action = [](QWidget* menu, const char* name, const char* caption, const char* shortcut) {
        auto* a = new QAction(Latin1(caption), menu);
        a->setObjectName(Latin1(name));
        if (shortcut != nullptr) {
            a->setShortcut(QKeySequence(Latin1(shortcut)));
        }
        menu->addAction(a);
        return a;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(Latin1(name));
    };

    QMenu* game = menuBar()->addMenu(QStringLiteral("&Game"));
    game->setObjectName(QStringLiteral("mnuGame"));
    mnuBet_ = action(game, "mnuBet", "Place &Bet", "Ctrl+B");
    mnuDeal_ = action(game, "mnuDeal", "&Deal", "Ctrl+D");
    mnuAdvisor_ = action(game, "mnuAdvisor", "Hold &Advisor", "Ctrl+H");
    mnuTrainer_ = action(game, "mnuTrainer", "&Trainer Mode", "Ctrl+T");
    mnuTrainer_->setCheckable(true);
    separator(game, "mnuSepGames");
    BuildGameMenu(game);
    separator(game, "mnuSep1");
    mnuExit_ = action(game, "mnuExit", "E&xit", "Ctrl+Y");

    QMenu* bank = menuBar()->addMenu(QStringLiteral("Ban&k"));
    bank->setObjectName(QStringLiteral("mnuBank"));
    mnuWithdraw_ = action(bank, "mnuWithdraw", "&Withdraw", "Ctrl+W");
    mnuDeposit_ = action(bank, "mnuDeposit", "De&posit", "Ctrl+P");
    separator(bank, "mnuSep2");
    mnuChgAccount_ = action(bank, "mnuChgAccount", "Change &Account", "Ctrl+A");

    mnuOptions_ = action(menuBar(), "mnuOptions", "&Options", nullptr);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelp_ = action(help, "mnuGameHelp", "&Game Help", "F1");
    mnuHelp_->setShortcutContext(Qt::ApplicationShortcut); // F1 in the game's other windows too
    mnuAbout_ = action(help, "mnuAbout", "&About Corvanta", nullptr);
}

void MainWindow::BuildGameMenu(QMenu* menu) {
    mnuGames_ = new QActionGroup(menu);
    mnuGames_->setExclusive(true);
    const std::span<const Game* const> games = AllGames();
    for (std::size_t i = 0; i < games.size(); ++i) {
        // "jacks-or-better" names the entry mnuJacksOrBetter.
        QString name = QStringLiteral("mnu");
        for (const QString& word : ToQString(games[i]->key).split(u'-')) {
            name += word.left(1).toUpper() + word.mid(1);
        }
        auto* entry = new QAction(ToQString(games[i]->title), mnuGames_);
        entry->setObjectName(name);
        entry->setCheckable(true);
        entry->setData(static_cast<int>(i));
        entry->setChecked(games[i] == &model_.CurrentGame());
        menu->addAction(entry);
    }
}

} // namespace corvanta
