#include "ui/frmPoker/MainWindow.h"

#include "cards/basCards.h"
#include "engine/PayoffTexts.h"
#include "game/DebugAccess.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"
#include "ui/frmAccount/AccountWindow.h"
#include "ui/frmAdvisor/AdvisorWindow.h"
#include "ui/frmDebug/DebugConsole.h"
#include "ui/frmHelp/About.h"
#include "ui/frmHelp/HelpWindow.h"
#include "ui/frmOptions/OptionsWindow.h"
#include "ui/frmPoker/AppIcon.h"
#include "ui/frmPoker/CardPicture.h"
#include "ui/frmPoker/Layout.h"
#include "ui/frmPoker/ScaledTable.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace corvanta {

void CardDrawingLibrary::Open() {
    cards_.cdtInit(width_, height_);
}

void CardDrawingLibrary::Close() {
    cards_.cdtTerm();
}

MainWindow::MainWindow(GameModel& model, CardDrawing& cards, QWidget* parent)
    : QMainWindow(parent), model_(model), cards_(cards), library_(cards) {
    setObjectName(QStringLiteral("frmPoker"));
    setWindowTitle(QStringLiteral("Corvanta 1.0 alpha"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinMaxButtonsHint);
    setFont(FontOf(GameFont::Standard));
    BuildControls();
    BuildMenus();
    ConnectModel();
    ConnectCommands();
    Load();
    // The table as built is the designed one; the window grows from it, never below it.
    const QSize designed(Px(layout::ClientWidth), Px(layout::ClientHeight));
    table_ = new ScaledTable(centralWidget(), designed);
    setMinimumSize(designed.width(), designed.height() + menuBar()->sizeHint().height());
    resize(minimumSize());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    defaultPlace_ = QRect(pos(), size());
    RestorePlace();
}

void MainWindow::RestorePlace() {
    const std::optional<MainWindowGeometry>& saved = model_.MainWindowPlace();
    if (!saved) {
        return;
    }
    const QRect place(saved->left, saved->top, saved->width, saved->height);
    // A place on a screen that is no longer there, or beyond its edges, would hide the table.
    if (place.width() >= minimumWidth() && place.height() >= minimumHeight() &&
        FitsOnAScreen(place)) {
        resize(place.size());
        move(place.topLeft());
    }
    if (saved->maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void MainWindow::KeepPlace() {
    // The frame's corner, as move() takes it back, and the normal size of a maximized window.
    const QPoint frameOffset = geometry().topLeft() - pos();
    const QRect normal =
        isMaximized() ? normalGeometry().translated(-frameOffset) : QRect(pos(), size());
    if (!model_.MainWindowPlace() && normal == defaultPlace_ && !isMaximized()) {
        return; // never placed by the player: the settings stay as they were
    }
    model_.KeepMainWindowPlace(
        {normal.x(), normal.y(), normal.width(), normal.height(), isMaximized()});
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    KeepPlaceWhileShown();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    KeepPlaceWhileShown();
}

void MainWindow::KeepPlaceWhileShown() {
    if (isVisible()) { // not the window being built
        KeepPlace();
    }
}

MainWindow::~MainWindow() {
    ShutDown();
}

void MainWindow::ConnectModel() {
    connect(&model_, &GameModel::cashChanged, this,
            [this](qint64 cash) { lblCurrentCash_->setText(MoneyText({cash})); });
    connect(&model_, &GameModel::betChanged, this,
            [this](qint64 bet) { lblBetAmount_->setText(MoneyText({bet})); });
    connect(&model_, &GameModel::betBoxReset, this,
            [this](int bet) { txtBet_->setText(QString::number(bet)); });
    connect(&model_, &GameModel::bankBoxReset, this,
            [this](int amount) { txtBank_->setText(QString::number(amount)); });
    connect(&model_, &GameModel::lastHandChanged, this,
            [this](const Game& game, std::optional<int> hand) {
                lblLastHand_->setText(ToQString(LastHandText(game, hand)));
            });
    connect(&model_, &GameModel::gameChanged, this, &MainWindow::ShowGame);
    connect(&model_, &GameModel::accountNameChanged, lblCurrentAccount_, &QLabel::setText);
    connect(&model_, &GameModel::savingsChanged, this,
            [this](const Money& savings) { lblSavings_->setText(MoneyText(savings)); });
    connect(&model_, &GameModel::statisticsChanged, this, &MainWindow::ShowStatistics);
    connect(&model_, &GameModel::handChanged, this, [this] {
        for (CardPicture* card : cardPictures_) {
            card->Refresh();
        }
    });
    connect(&model_, &GameModel::discardChanged, this,
            [this](int slot, bool marked) { discardLabels_[slot]->setVisible(marked); });
    connect(&model_, &GameModel::phaseChanged, this, [this](DealStateCode phase) {
        const PermittedCommands allowed = Permitted(phase);
        ChangeCommands([&] {
            cmdAddBet_->setEnabled(allowed.bet);
            mnuBet_->setEnabled(allowed.bet);
            cmdDeal_->setEnabled(allowed.deal);
            mnuDeal_->setEnabled(allowed.deal);
            mnuGames_->setEnabled(!allowed.mark); // a round is played by one game
            for (CardPicture* card : cardPictures_) {
                card->setEnabled(allowed.mark);
            }
        });
    });
    connect(&model_, &GameModel::loanOffered, this,
            [this](bool shown) { ChangeCommands([&] { cmdBankLoan_->setVisible(shown); }); });
    connect(&model_, &GameModel::roundSettled, this,
            [this](const DealReport& report) { LoadedDebugConsole().ShowHand(report); });
    connect(&model_, &GameModel::noticeRaised, this, &MainWindow::ShowNotice);
}

void MainWindow::ChangeCommands(const std::function<void()>& change) {
    QWidget* focused = focusWidget();
    change();
    if (focused == nullptr || (focused->isEnabled() && !focused->isHidden())) {
        return; // the focus stayed where it was
    }
    if (cmdDeal_->isEnabled()) {
        cmdDeal_->setFocus();
        return;
    }
    for (CardPicture* card : cardPictures_) {
        if (card->isEnabled()) {
            card->setFocus();
            return;
        }
    }
    centralWidget()->setFocus();
}

void MainWindow::ShowStatistics(const AccountStatistics& statistics) {
    lblRoundsWon_->setText(QString::number(statistics.roundsWon));
    lblRoundsLost_->setText(QString::number(statistics.roundsLost));
    lblRoundsPlayed_->setText(QString::number(statistics.roundsPlayed));
    lblAmountWon_->setText(MoneyText({statistics.amountWon}));
    lblAmountLost_->setText(MoneyText({statistics.amountLost}));
    lblAveGains_->setText(MoneyText({statistics.averageGains}));
}

QString MainWindow::Ask(std::string_view title, std::string_view prompt) {
    return AskText(this, ToQString(title), ToQString(prompt));
}

void MainWindow::ConnectCommands() {
    GameModel* model = &model_;
    connect(cmdAddBet_, &QPushButton::clicked, this, [this] { model_.Bet(txtBet_->text()); });
    connect(mnuBet_, &QAction::triggered, this,
            [this] { model_.Bet(Ask(PlaceBetTitle, PlaceBetPrompt)); });
    connect(cmdDeal_, &QPushButton::clicked, this, &MainWindow::Deal);
    connect(mnuDeal_, &QAction::triggered, this, &MainWindow::Deal);
    for (CardPicture* card : cardPictures_) {
        connect(card, &CardPicture::clicked, model, &GameModel::ToggleDiscard);
    }
    connect(mnuAdvisor_, &QAction::triggered, this, &MainWindow::OpenAdvisor);
    connect(mnuTrainer_, &QAction::toggled, model, &GameModel::SetTrainer);
    connect(mnuGames_, &QActionGroup::triggered, this, [this](QAction* entry) {
        model_.SetGame(*AllGames()[entry->data().toUInt()]);
        ShowGame(model_.CurrentGame()); // a choice refused leaves the check where it was
    });
    connect(cmdWithdrawCash_, &QPushButton::clicked, this,
            [this] { model_.Withdraw(txtBank_->text(), AmountSource::BankBox); });
    connect(mnuWithdraw_, &QAction::triggered, this,
            [this] { model_.Withdraw(Ask(WithdrawTitle, WithdrawPrompt), AmountSource::Prompt); });
    connect(cmdDeposit_, &QPushButton::clicked, this, [this] { model_.Deposit(txtBank_->text()); });
    connect(mnuDeposit_, &QAction::triggered, this,
            [this] { model_.Deposit(Ask(DepositTitle, DepositPrompt)); });
    connect(cmdBankLoan_, &QPushButton::clicked, model, &GameModel::TakeLoan);
    connect(cmdClearStats_, &QPushButton::clicked, this, [this] {
        if (AskYesNo(this, ToQString(ClearStatisticsTitle), ToQString(ClearStatisticsQuestion),
                     YesNo::No)) {
            model_.ClearStatistics();
        }
    });
    auto changeAccount = [this] {
        model_.ChangeAccount(
            [this](const Question& question) { return AskPlayer(this, question); });
    };
    connect(cmdChangeAccount_, &QPushButton::clicked, this, changeAccount);
    connect(mnuChgAccount_, &QAction::triggered, this, changeAccount);
    connect(cmdEditAccount_, &QPushButton::clicked, this, [this] {
        AccountWindow editor(model_, this);
        editor.exec();
    });
    connect(cmdOptions_, &QPushButton::clicked, this, &MainWindow::OpenOptions);
    connect(mnuOptions_, &QAction::triggered, this, &MainWindow::OpenOptions);
    auto help = [this] {
        ShowOrRaise(help_, [] { return new HelpWindow; });
    };
    connect(cmdGameHelp_, &QPushButton::clicked, this, help);
    connect(mnuHelp_, &QAction::triggered, this, help);
    connect(mnuAbout_, &QAction::triggered, this, [this] { ShowAbout(this); });
    connect(cmdExit_, &QPushButton::clicked, this, &QWidget::close);
    connect(mnuExit_, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::Load() {
    model_.StartUp(library_);
    mnuTrainer_->setChecked(model_.TrainerOn());
    for (int slot = 0; slot < HandSize; ++slot) {
        cardPictures_[slot]->resize(library_.CardWidth(), library_.CardHeight());
        PaintBackground(cardPictures_[slot], TableGreen);
        discardLabels_[slot]->hide();
    }
}

void MainWindow::Deal() {
    if (const std::optional<QString> question = model_.TrainerQuestionBeforeDraw();
        question && !AskYesNo(this, ToQString(TrainerTitle), *question, YesNo::Yes,
                              [this](QSize size) { return TrainerBoxPlace(size); })) {
        return; // back to marking, the marks as they were
    }
    model_.Deal();
}

void MainWindow::ShowGame(const Game& game) {
    for (QAction* entry : mnuGames_->actions()) {
        entry->setChecked(AllGames()[entry->data().toUInt()] == &game);
    }
    ShowPayoffs(game);
}

QPoint MainWindow::TrainerBoxPlace(QSize size) const {
    // The cards the question speaks of, with their discard marks, stay in view.
    QRect cardsRow;
    for (int slot = 0; slot < HandSize; ++slot) {
        for (const QWidget* part : {static_cast<QWidget*>(cardPictures_[slot]),
                                    static_cast<QWidget*>(discardLabels_[slot])}) {
            cardsRow |= QRect(part->mapToGlobal(QPoint(0, 0)), part->size());
        }
    }
    const QScreen* shown = screen();
    return PlaceClearOf(cardsRow, size, shown != nullptr ? shown->availableGeometry() : cardsRow);
}

void MainWindow::ShowNotice(const Notice& notice) {
    ShowMessage(this, ToQString(notice.title), ToQString(notice.text));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgShowDebug_ && event->type() == QEvent::MouseButtonRelease) {
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
        if (PressDeal()) {
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

bool MainWindow::PressDeal() {
    if (!cmdDeal_->isEnabled()) {
        return false;
    }
    cmdDeal_->click();
    return true;
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    // The icon goes to the window manager once the table is on the screen: X11 asks for it at
    // four sizes, and painting them before the first frame would hold the table back. The
    // game's analysis waits for the same moment, for the core it takes.
    if (!tableShown_) {
        tableShown_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                setWindowIcon(AppIcon());
                model_.ReleaseAnalysis();
            },
            Qt::QueuedConnection);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    ShutDown();
    event->accept();
}

void MainWindow::ShutDown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    KeepPlace();
    for (const Notice& notice : model_.ShutDown(library_)) {
        ShowNotice(notice);
    }
    for (QWidget* window : {static_cast<QWidget*>(debug_), static_cast<QWidget*>(help_),
                            static_cast<QWidget*>(advisor_)}) {
        if (window != nullptr) {
            window->close();
        }
    }
}

void MainWindow::OpenOptions() {
    OptionsWindow window(model_, cards_, this);
    window.exec(); // Close and the close box both end here with the last pick kept
    model_.TakeChosenBack();
}

void MainWindow::OpenDebugConsole() {
    const QString code = AskText(this, ToQString(DebugCodeTitle), ToQString(DebugCodePrompt),
                                 ToQString(DebugCodeDefault));
    if (!OpensDebugConsole(code.toStdString())) {
        return; // a wrong or cancelled code does nothing at all
    }
    // A console loaded hidden by a hand shows with what it holds.
    ShowOrRaise(debug_, [this] { return &LoadedDebugConsole(); });
}

DebugConsole& MainWindow::LoadedDebugConsole() {
    if (debug_ == nullptr) {
        debug_ = new DebugConsole(model_); // hidden until the access code shows it
    }
    return *debug_;
}

void MainWindow::OpenAdvisor() {
    ShowOrRaise(advisor_, [this] {
        auto* advisor = new AdvisorWindow(model_); // deletes itself on close
        connect(advisor, &AdvisorWindow::markBestHoldRequested, &model_, &GameModel::MarkBestHold);
        connect(advisor, &AdvisorWindow::dealRequested, this, &MainWindow::PressDeal);
        connect(advisor, &AdvisorWindow::placeChanged, &model_, &GameModel::KeepAdvisorPlace);
        advisor->PlaceBeside(*this);
        // The game's keys work from the advisor too: their shortcuts follow these entries into
        // every window that holds them.
        advisor->addActions({mnuBet_, mnuDeal_, mnuTrainer_});
        return advisor;
    });
}

} // namespace corvanta
