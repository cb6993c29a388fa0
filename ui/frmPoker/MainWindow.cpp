#include "ui/frmPoker/MainWindow.h"

#include "bank/Accounts.h"
#include "bank/BankFile.h"
#include "engine/Advisor.h"
#include "engine/Amount.h"
#include "engine/Format.h"
#include "engine/Round.h"
#include "settings/Settings.h"
#include "ui/Dialogs.h"
#include "ui/Game.h"
#include "ui/Twips.h"
#include "ui/basCards/basCards.h"
#include "ui/frmAdvisor/AdvisorWindow.h"
#include "ui/frmDebug/DebugConsole.h"
#include "ui/frmHelp/HelpWindow.h"
#include "ui/frmOptions/OptionsWindow.h"
#include "ui/frmPoker/AppIcon.h"
#include "ui/frmPoker/CardPicture.h"
#include "ui/frmPoker/Layout.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace corvanta {
namespace {

QString Text(const char* latin1) {
    return QString::fromLatin1(latin1);
}
QString Money(std::int64_t value) {
    return ToQString(MoneyText(value));
}

QFont FontFor(layout::Font font) {
    switch (font) {
    case layout::Font::Default:
        break;
    case layout::Font::SansSerif12Bold: {
        QFont f(QStringLiteral("MS Sans Serif"));
        f.setPointSizeF(12);
        f.setBold(true);
        return f;
    }
    case layout::Font::Arial12Bold:
    case layout::Font::Arial12:
    case layout::Font::Arial975:
    case layout::Font::Arial975Bold:
    case layout::Font::Arial1425Bold: {
        QFont f(QStringLiteral("Arial"));
        const bool large = font == layout::Font::Arial12Bold || font == layout::Font::Arial12;
        f.setPointSizeF(font == layout::Font::Arial1425Bold ? 14.25 : large ? 12 : 9.75);
        f.setBold(font == layout::Font::Arial12Bold || font == layout::Font::Arial975Bold ||
                  font == layout::Font::Arial1425Bold);
        return f;
    }
    }
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(8.25);
    return f;
}

void Paint(QWidget* widget, QRgb background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(background));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, QRgb colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    widget->setPalette(palette);
}

} // namespace

MainWindow::MainWindow(Game& game, QWidget* parent)
    : QMainWindow(parent), game_(game), advisorSession_(std::make_unique<AdvisorSession>()) {
    setObjectName(QStringLiteral("frmPoker"));
    setWindowTitle(QStringLiteral("Corvanta 1.0 alpha"));
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(FontFor(layout::Font::Default));
    BuildControls();
    BuildMenus();
    ConnectCommands();
    Load();
    setFixedSize(Px(layout::ClientWidth),
                 Px(layout::ClientHeight) + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

MainWindow::~MainWindow() {
    Shutdown();
}

DebugConsole* MainWindow::DebugConsoleWindow() const {
    return debug_;
}

HelpWindow* MainWindow::HelpWindowShown() const {
    return help_;
}

AdvisorWindow* MainWindow::AdvisorWindowShown() const {
    return advisor_;
}

void MainWindow::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Px(layout::ClientWidth), Px(layout::ClientHeight));
    Paint(client, layout::TableGreen);
    setCentralWidget(client);

    auto frame = [&](const layout::Frame& item) {
        auto* box = new QGroupBox(Text(item.caption), client);
        box->setObjectName(Text(item.name));
        box->setGeometry(TwipsRect(item.left, item.top, item.width, item.height));
        return box;
    };
    QGroupBox* fraBank = frame(layout::BankFrame);
    QGroupBox* fraStats = frame(layout::StatsFrame);
    auto parentOf = [&](layout::Area area) -> QWidget* {
        return area == layout::Area::Bank    ? fraBank
               : area == layout::Area::Stats ? fraStats
                                             : client;
    };

    auto label = [&](const char* name, QWidget* parent, QRect geometry, const QString& caption) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(Text(name));
        l->setGeometry(geometry);
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    for (const layout::Label& item : layout::Labels) {
        QLabel* l =
            label(item.name, parentOf(item.area),
                  TwipsRect(item.left, item.top, item.width, item.height), Text(item.caption));
        l->setFont(FontFor(item.font));
        l->setAlignment(item.align | Qt::AlignTop);
        if (item.colour != 0) {
            SetTextColour(l, item.colour);
        }
        if (item.opaque) {
            Paint(l, layout::TableGreen);
        }
    }
    for (std::size_t row = 0; row < layout::PayoffRows.size(); ++row) {
        const layout::PayoffRow& item = layout::PayoffRows[row];
        const int top = layout::PayoffTop + static_cast<int>(row) * layout::PayoffRowStep;
        QLabel* hand =
            label(item.handName, client,
                  TwipsRect(layout::PayoffLeft, top, item.multiplierLeft - layout::PayoffLeft,
                            layout::PayoffRowHeight),
                  Text(item.handCaption));
        QLabel* multiplier = label(
            item.multiplierName, client,
            TwipsRect(item.multiplierLeft, top, item.multiplierWidth, layout::PayoffRowHeight),
            ToQString(PayoffTable[item.category].caption));
        multiplier->setAlignment(Qt::AlignRight | Qt::AlignTop);
        for (QLabel* l : {hand, multiplier}) {
            l->setFont(FontFor(layout::Font::Arial975Bold));
            Paint(l, layout::TableGreen);
        }
    }
    for (const layout::Line& item : layout::Lines) {
        auto* line = new QWidget(parentOf(item.area));
        line->setObjectName(Text(item.name));
        line->setGeometry(
            QRect(QPoint(Px(item.x1), Px(item.y1)), QPoint(Px(item.x2), Px(item.y2))));
        line->setFixedHeight(1);
        Paint(line, qRgb(0, 0, 0));
    }
    for (const layout::Button& item : layout::Buttons) {
        auto* button = new QPushButton(Text(item.caption), parentOf(item.area));
        button->setObjectName(Text(item.name));
        button->setGeometry(TwipsRect(item.left, item.top, item.width, item.height));
        button->setAutoDefault(false);
    }
    auto textBox = [&](const layout::TextBox& item) {
        auto* box = new QLineEdit(Text(item.text), parentOf(item.area));
        box->setObjectName(Text(item.name));
        box->setGeometry(TwipsRect(item.left, item.top, item.width, item.height));
        box->setFont(FontFor(layout::Font::Arial975));
        box->setAlignment(Qt::AlignRight);
        box->setMaxLength(layout::AmountBoxMaxLength);
        box->installEventFilter(this);
        return box;
    };
    txtBet_ = textBox(layout::BetBox);
    txtBank_ = textBox(layout::BankBox);

    for (int slot = 0; slot < HandSize; ++slot) {
        cards_[slot] = new CardPicture(game_, slot, client);
        cards_[slot]->move(Px(layout::CardLeft(slot)), Px(layout::CardTop));
        connect(cards_[slot], &CardPicture::clicked, this, &MainWindow::ToggleDiscard);
        discardLabels_[slot] =
            label(nullptr, client, TwipsRect(layout::CardLeft(slot), layout::DiscardTop, 1095, 255),
                  QStringLiteral("DISCARD"));
        discardLabels_[slot]->setObjectName(QStringLiteral("lblDiscard%1").arg(slot + 1));
        discardLabels_[slot]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        SetTextColour(discardLabels_[slot], layout::White);
    }

    auto find = [this](const char* name) {
        return findChild<QLabel*>(Text(name));
    };
    lblLastHand_ = find("lblLastHand");
    lblCurrentCash_ = find("lblCurrentCash");
    lblBetAmount_ = find("lblBetAmount");
    lblCurrentAccount_ = find("lblCurrentAccount");
    lblSavings_ = find("lblSavings");
    lblRoundsWon_ = find("lblRoundsWon");
    lblRoundsLost_ = find("lblRoundsLost");
    lblRoundsPlayed_ = find("lblRoundsPlayed");
    lblAmountWon_ = find("lblAmountWon");
    lblAmountLost_ = find("lblAmountLost");
    lblAveGains_ = find("lblAveGains");
    auto button = [this](const char* name) {
        return findChild<QPushButton*>(Text(name));
    };
    cmdDeal_ = button("cmdDeal");
    cmdAddBet_ = button("cmdAddBet");
    cmdBankLoan_ = button("cmdBankLoan");
    cmdBankLoan_->hide();
    cmdDeal_->setDefault(true);

    // The invisible spot stays on top of the payoff labels so that it receives its clicks.
    auto* spot = new QWidget(client);
    spot->setObjectName(QStringLiteral("imgShowDebug"));
    spot->setGeometry(TwipsRect(layout::DebugSpotLeft, layout::DebugSpotTop, layout::DebugSpotSize,
                                layout::DebugSpotSize));
    spot->raise();
    spot->installEventFilter(this);

    // Tab order: Deal, the five cards, Bet, the statistics frame, the bet box, then the rest.
    QWidget* order[] = {cmdDeal_,
                        cards_[0],
                        cards_[1],
                        cards_[2],
                        cards_[3],
                        cards_[4],
                        cmdAddBet_,
                        button("cmdClearStats"),
                        txtBet_,
                        txtBank_,
                        button("cmdWithdrawCash"),
                        button("cmdDeposit"),
                        cmdBankLoan_,
                        button("cmdChangeAccount"),
                        button("cmdEditAccount"),
                        button("cmdGameHelp"),
                        button("cmdOptions"),
                        button("cmdExit")};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void MainWindow::BuildMenus() {
    auto action = [this](QWidget* menu, const char* name, const char* caption,
                         const char* shortcut) {
        auto* a = new QAction(Text(caption), menu);
        a->setObjectName(Text(name));
        if (shortcut != nullptr) {
            a->setShortcut(QKeySequence(Text(shortcut)));
        }
        menu->addAction(a);
        return a;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(Text(name));
    };

    QMenu* game = menuBar()->addMenu(QStringLiteral("&Game"));
    game->setObjectName(QStringLiteral("mnuGame"));
    mnuBet_ = action(game, "mnuBet", "Place &Bet", "Ctrl+B");
    mnuDeal_ = action(game, "mnuDeal", "&Deal", "Ctrl+D");
    action(game, "mnuAdvisor", "Hold &Advisor", "Ctrl+H");
    separator(game, "mnuSep1");
    action(game, "mnuExit", "E&xit", "Ctrl+Y");

    QMenu* bank = menuBar()->addMenu(QStringLiteral("Ban&k"));
    bank->setObjectName(QStringLiteral("mnuBank"));
    action(bank, "mnuWithdraw", "&Withdraw", "Ctrl+W");
    action(bank, "mnuDeposit", "De&posit", "Ctrl+P");
    separator(bank, "mnuSep2");
    action(bank, "mnuChgAccount", "Change &Account", "Ctrl+A");

    action(menuBar(), "mnuOptions", "&Options", nullptr);
    action(menuBar(), "mnuHelp", "&Help", nullptr);
}

void MainWindow::ConnectCommands() {
    auto onClick = [this](const char* name, auto&& command) {
        connect(findChild<QPushButton*>(Text(name)), &QPushButton::clicked, this, command);
    };
    auto onMenu = [this](const char* name, auto&& command) {
        connect(findChild<QAction*>(Text(name)), &QAction::triggered, this, command);
    };
    auto ask = [this](std::string_view title, std::string_view prompt) {
        return AskText(this, ToQString(title), ToQString(prompt));
    };
    onClick("cmdAddBet", [this] { Bet(txtBet_->text()); });
    onMenu("mnuBet", [=, this] { Bet(ask(PlaceBetTitle, PlaceBetPrompt)); });
    onClick("cmdDeal", [this] { DealCommand(); });
    onMenu("mnuDeal", [this] { DealCommand(); });
    onMenu("mnuAdvisor", [this] { OpenAdvisor(); });
    onClick("cmdWithdrawCash", [this] { Withdraw(txtBank_->text(), false); });
    onMenu("mnuWithdraw", [=, this] { Withdraw(ask(WithdrawTitle, WithdrawPrompt), true); });
    onClick("cmdDeposit", [this] { Deposit(txtBank_->text()); });
    onMenu("mnuDeposit", [=, this] { Deposit(ask(DepositTitle, DepositPrompt)); });
    onClick("cmdBankLoan", [this] { TakeLoan(); });
    onClick("cmdClearStats", [this] { ClearStatistics(); });
    onClick("cmdChangeAccount", [this] { ChangeAccount(); });
    onMenu("mnuChgAccount", [this] { ChangeAccount(); });
    onClick("cmdEditAccount", [this] { EditAccount(); });
    auto options = [this] {
        RunOptions(game_.table, game_.cards, this);
    };
    onClick("cmdOptions", options);
    onMenu("mnuOptions", options);
    auto help = [this] {
        ShowHelp(help_);
    };
    onClick("cmdGameHelp", help);
    onMenu("mnuHelp", help);
    onClick("cmdExit", [this] { close(); });
    onMenu("mnuExit", [this] { close(); });
}

void MainWindow::Load() {
    int width = 0;
    int height = 0;
    game_.cards.cdtInit(width, height);
    Table& table = game_.table;
    Bank& bank = game_.bank;
    LoadSettings(table, bank, game_.configFolder);
    table.OptionsCardBG = table.CardBG;
    lblCurrentCash_->setText(Money(table.CashOnHand));
    ResetTable(table);
    LoadBank(bank, game_.bankFolder);
    lblLastHand_->setText(QStringLiteral("No Hand Played"));
    ShowAccount(DisplayAccount(CurrentAccount(bank)));
    lblCurrentAccount_->setText(ToQString(bank.CurrentAccountName));
    for (int slot = 0; slot < HandSize; ++slot) {
        cards_[slot]->setFixedSize(width, height);
        Paint(cards_[slot], layout::TableGreen);
        discardLabels_[slot]->hide();
    }
    cmdDeal_->setEnabled(false);
    mnuDeal_->setEnabled(false);
    for (CardPicture* card : cards_) {
        card->setEnabled(false);
    }
    emit tableChanged();
}

void MainWindow::Bet(const QString& amountText) {
    const BetOutcome outcome = PlaceBet(game_.table, amountText.toStdString());
    if (outcome.status == BetStatus::Refused) {
        ShowMessage(this, ToQString(PlaceBetTitle), ToQString(outcome.message));
    }
    if (outcome.status != BetStatus::Accepted) {
        return;
    }
    lblBetAmount_->setText(Money(game_.table.BetAmount));
    lblCurrentCash_->setText(Money(game_.table.CashOnHand));
    txtBet_->setText(QStringLiteral("5"));
    if (outcome.openedRound) {
        SetRoundControls();
        for (CardPicture* card : cards_) {
            card->repaint();
        }
    }
    emit tableChanged();
}

void MainWindow::DealCommand() {
    cmdAddBet_->setEnabled(false);
    mnuBet_->setEnabled(false);
    // The hand and the marks the player draws with, for the advisor's session counts.
    const DealtHand dealt = game_.table.Hand;
    const DiscardMarks discards = game_.table.Discard;
    const std::int32_t bet = game_.table.BetAmount;
    const DealOutcome outcome = corvanta::DealCommand(game_.table, game_.bank, game_.random);
    for (int slot = 0; slot < HandSize; ++slot) {
        if (outcome.step == DealStep::Drew) {
            cards_[slot]->ShowFinalCard(outcome.finalHand[slot]);
        } else {
            cards_[slot]->repaint();
        }
        discardLabels_[slot]->hide();
    }
    if (outcome.step == DealStep::Drew) {
        RecordRound(*advisorSession_, dealt, discards, bet);
        const Table& table = game_.table;
        lblLastHand_->setText(ToQString(outcome.settlement.lastHand));
        txtBet_->setText(QStringLiteral("5"));
        lblCurrentCash_->setText(Money(table.CashOnHand));
        lblBetAmount_->setText(Money(table.BetAmount));
        ShowStatistics(DisplayAccount(CurrentAccount(game_.bank)));
        LoadedDebugConsole().ShowHand(outcome.evaluation, outcome.settlement);
        if (outcome.offerLoan) {
            cmdBankLoan_->show();
        }
    }
    SetRoundControls();
    emit tableChanged();
}

void MainWindow::SetRoundControls() {
    const DealStateCode state = game_.table.DealState;
    const bool betting = state != DealStateCode::CardsDealt;
    const bool dealing = state != DealStateCode::WaitingForBet;
    cmdAddBet_->setEnabled(betting);
    mnuBet_->setEnabled(betting);
    cmdDeal_->setEnabled(dealing);
    mnuDeal_->setEnabled(dealing);
    for (CardPicture* card : cards_) {
        card->setEnabled(state == DealStateCode::CardsDealt);
    }
}

void MainWindow::ToggleDiscard(int slot) {
    bool& marked = game_.table.Discard[slot];
    marked = !marked;
    cards_[slot]->repaint();
    discardLabels_[slot]->setVisible(marked);
    emit tableChanged();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        watched->objectName() == QLatin1String("imgShowDebug")) {
        OpenDebugConsole();
        return true;
    }
    if ((watched == txtBet_ || watched == txtBank_) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Only keys that type a character reach the filter: Delete and the arrows still edit,
        // and Enter, Tab and Esc still work the window.
        const QString typed = key->text();
        const bool windowKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                               key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                               key->key() == Qt::Key_Escape || key->key() == Qt::Key_Delete;
        if (!typed.isEmpty() && !windowKey && !IsNumber(typed.at(0).unicode())) {
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter presses the focused button, or else the default button Deal while it is enabled.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget());
            focused && focused->isEnabled()) {
            focused->click();
            return;
        }
        if (cmdDeal_->isEnabled()) {
            cmdDeal_->click();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Shutdown();
    event->accept();
}

void MainWindow::Shutdown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    game_.cards.cdtTerm();
    const SaveResult bank = SaveBank(game_.bank, game_.bankFolder);
    if (!bank.Ok) {
        ReportSaveFailure("The bank could not be saved", bank.Path, bank.Reason);
    }
    const SaveResult settings = SaveSettings(game_.table, game_.bank, game_.configFolder);
    if (!settings.Ok) {
        ReportSaveFailure("The settings could not be saved", settings.Path, settings.Reason);
    }
    if (debug_ != nullptr) {
        debug_->close();
    }
    CloseHelp(help_);
    if (advisor_ != nullptr) {
        advisor_->close();
    }
}

void MainWindow::OpenDebugConsole() {
    const QString code =
        AskText(this, QStringLiteral("Corvanta - Debug Console"),
                QStringLiteral("Please enter the debug code below:"), QStringLiteral("unknown"));
    if (code != ToQString(DebugAccessCode)) {
        return; // a wrong or cancelled code does nothing at all
    }
    DebugConsole& console = LoadedDebugConsole();
    console.show();
    console.raise();
    console.activateWindow();
}

DebugConsole& MainWindow::LoadedDebugConsole() {
    if (debug_ == nullptr) {
        debug_ = new DebugConsole(game_.bank, ToQString(BankFilePath(game_.bankFolder)));
        connect(debug_, &DebugConsole::currentAccountChanged, this,
                [this](const QString& name, const QString& savings) {
                    lblCurrentAccount_->setText(name);
                    lblSavings_->setText(savings);
                });
    }
    return *debug_;
}

void MainWindow::OpenAdvisor() {
    // A closed window is hidden until its deletion runs; it does not count as open.
    if (advisor_ == nullptr || !advisor_->isVisible()) {
        advisor_ = new AdvisorWindow(game_.table, *advisorSession_); // deletes itself on close
        connect(this, &MainWindow::tableChanged, advisor_, &AdvisorWindow::Refresh);
        // Marks go through the click's path, and like a click do nothing on a disabled card.
        connect(advisor_, &AdvisorWindow::toggleRequested, this, [this](int slot) {
            if (cards_[slot]->isEnabled()) {
                ToggleDiscard(slot);
            }
        });
    }
    advisor_->setWindowState(advisor_->windowState() & ~Qt::WindowMinimized);
    advisor_->show();
    advisor_->raise();
    advisor_->activateWindow();
}

void MainWindow::ReportSaveFailure(const std::string& what, const std::string& path,
                                   const std::string& reason) {
    ShowMessage(this, QStringLiteral("Corvanta - Exit"),
                ToQString(what + " to " + path + ":\r" + reason));
}

} // namespace corvanta
