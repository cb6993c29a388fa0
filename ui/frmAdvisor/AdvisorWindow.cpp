#include "ui/frmAdvisor/AdvisorWindow.h"

#include "engine/AdviceText.h"
#include "engine/CommandLine.h"
#include "engine/ReturnTable.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"
#include "ui/frmAdvisor/LineLabel.h"
#include "ui/frmAdvisor/ReturnTableView.h"
#include "ui/frmAdvisor/SessionView.h"
#include "ui/frmAdvisor/WindowPlace.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace corvanta {
namespace {

// Its size when it first opens (at the default scale, a little over 1000 by 800 pixels),
// and the smallest its contents are laid out in before the whole scrolls.
constexpr int OpeningWidth = 15180; // twips
constexpr int OpeningHeight = 12000;
constexpr int ContentsHeight = 520; // pixels

} // namespace

AdvisorWindow::AdvisorWindow(GameModel& model)
    : QDialog(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      model_(model), game_(&model.CurrentGame()) {
    setObjectName(QStringLiteral("frmAdvisor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Corvanta - Hold Advisor"));
    setFont(FontOf(GameFont::Standard));
    setSizeGripEnabled(true);

    auto* contents = new QWidget;
    contents->setObjectName(QStringLiteral("viewContents"));
    // Its least width is what its lines and tables need, so that the window scrolls sideways
    // rather than cutting a line short.
    contents->setMinimumHeight(ContentsHeight);
    auto* columns = new QHBoxLayout(contents);
    auto* left = new QVBoxLayout;
    left->addWidget(BuildHolds(contents));
    lblFiguresHeading_ = new LineLabel(contents, QStringLiteral("lblFiguresHeading"), true);
    lblFigures_ = new LineLabel(contents, QStringLiteral("lblFigures"));
    left->addWidget(lblFiguresHeading_, 0, Qt::AlignLeft); // its line's width, left
    left->addWidget(lblFigures_, 0, Qt::AlignLeft);
    session_ = new SessionView(model_, contents);
    left->addWidget(session_, 1);
    returns_ = new ReturnTableView(contents);
    columns->addLayout(left, 3);
    columns->addWidget(returns_, 2);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrollAdvisor"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(contents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    resize(Px(OpeningWidth), Px(OpeningHeight));

    // The holds follow every change of the table; the session changes with each draw only.
    connect(&model_, &GameModel::handChanged, this, &AdvisorWindow::ShowHolds);
    connect(&model_, &GameModel::betChanged, this, &AdvisorWindow::ShowHolds);
    connect(&model_, &GameModel::roundSettled, this, &AdvisorWindow::ShowSession);
    connect(&model_, &GameModel::gameChanged, this, &AdvisorWindow::FollowGame);
    // The game's analysis is prepared once per game, on another thread: the window shows at
    // once and fills in the holds and the tables when they are ready.
    analysisTimer_ = new QTimer(this);
    connect(analysisTimer_, &QTimer::timeout, this, &AdvisorWindow::ShowFigures);
    FollowGame(*game_);
    ShowSession();
}

QWidget* AdvisorWindow::BuildHolds(QWidget* parent) {
    auto* holds = new QWidget(parent);
    auto* grid = new QGridLayout(holds);
    grid->setContentsMargins(0, 0, 0, 0);
    lblTitle_ = new LineLabel(holds, QStringLiteral("lblTitle"), true);
    grid->addWidget(lblTitle_, 0, 0, 1, 2, Qt::AlignLeft);
    for (int row = 0; row < ListedHolds; ++row) {
        lblRank_[row] = new LineLabel(holds, QStringLiteral("lblRank%1").arg(row + 1));
        lblRank_[row]->setFixedWidth(Px(360));
        lblHold_[row] = new LineLabel(holds, QStringLiteral("lblHold%1").arg(row + 1));
        grid->addWidget(lblRank_[row], row + 1, 0, Qt::AlignLeft);
        grid->addWidget(lblHold_[row], row + 1, 1, Qt::AlignLeft);
    }
    grid->setColumnStretch(1, 1);
    lblYourMarks_ = new LineLabel(holds, QStringLiteral("lblYourMarks"));
    grid->addWidget(lblYourMarks_, ListedHolds + 1, 0, 1, 2, Qt::AlignLeft);
    cmdMarkBest_ = new QPushButton(QStringLiteral("&Mark Best Hold"), holds);
    cmdMarkBest_->setObjectName(QStringLiteral("cmdMarkBest"));
    cmdMarkBest_->setMinimumSize(Px(1800), Px(375));
    grid->addWidget(cmdMarkBest_, ListedHolds + 2, 0, 1, 2, Qt::AlignLeft);
    // Enter presses it while it has the focus, and deals elsewhere in the window; Esc closes.
    cmdMarkBest_->setDefault(true);
    connect(cmdMarkBest_, &QPushButton::clicked, this, &AdvisorWindow::markBestHoldRequested);
    return holds;
}

void AdvisorWindow::PlaceBeside(const QWidget& table) {
    decoration_ = table.frameGeometry().size() - table.geometry().size();
    const WindowPlace& left = model_.AdvisorPlace();
    const QRect remembered(left.left, left.top, left.width + decoration_.width(),
                           left.height + decoration_.height());
    if (left.Known() && FitsOnAScreen(remembered)) {
        move(left.left, left.top);
        resize(left.width, left.height);
        return;
    }
    const QScreen* screen = table.screen();
    const QRect frame = corvanta::PlaceBeside(table.frameGeometry(), size() + decoration_,
                                              screen->availableGeometry());
    move(frame.topLeft());
    resize(frame.size() - decoration_);
}

void AdvisorWindow::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    TellPlace();
}

void AdvisorWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    TellPlace();
}

void AdvisorWindow::TellPlace() {
    if (isVisible() && !isMinimized() && !isMaximized()) {
        emit placeChanged({x(), y(), width(), height()});
    }
}

void AdvisorWindow::keyPressEvent(QKeyEvent* event) {
    // The focused Mark Best Hold takes Enter before it gets here; any other Enter is the game's,
    // as on the table, where it presses Deal.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        emit dealRequested();
        return;
    }
    QDialog::keyPressEvent(event);
}

void AdvisorWindow::Refresh() {
    ShowHolds();
    ShowSession();
}

void AdvisorWindow::FollowGame(const Game& game) {
    game_ = &game;
    rankedHand_.reset(); // the last hand's review goes with it: it was ranked by other pays
    lblFiguresHeading_->setText(ToQString(game.title) +
                                QStringLiteral(": the return per round, as a multiple of the bet"));
    lblFigures_->setText(QStringLiteral("Computing…"));
    returns_->Computing(game);
    model_.PrepareAnalysis(game);
    analysisTimer_->start(20);
    ShowFigures();
    ShowHolds();
}

void AdvisorWindow::ShowHolds() {
    const bool dealt = Permitted(model_.Phase()).mark;
    cmdMarkBest_->setEnabled(dealt);
    if (dealt && model_.HoldsReady(*game_)) {
        ShowRanking(model_.Hand());
        return;
    }
    if (!dealt && rankedHand_) {
        return; // after the draw the hand's holds and marks stay, for review, until the next deal
    }
    rankedHand_.reset();
    lblTitle_->setText(
        dealt ? QStringLiteral("Preparing the analysis of %1…").arg(ToQString(game_->title))
              : QStringLiteral("No cards are dealt. The best holds for the next "
                               "hand dealt will be listed here, ranked by "
                               "expected payback."));
    for (int row = 0; row < ListedHolds; ++row) {
        lblRank_[row]->clear();
        lblHold_[row]->clear();
    }
    lblYourMarks_->clear();
}

void AdvisorWindow::ShowRanking(const FiveCards& hand) {
    if (rankedHand_ != hand) {
        ranking_ = RankHolds(*game_, hand);
        rankedHand_ = hand;
    }
    // The same title while the cards wait for the draw and after it, when the list stays.
    lblTitle_->setText(QStringLiteral("Best holds for the hand dealt, by expected payback per "
                                      "dollar bet (\"=\": as good as the hold above):"));
    for (int row = 0; row < ListedHolds; ++row) {
        const HoldValue& hold = ranking_[row];
        lblRank_[row]->setText(hold.equalToPrevious ? QStringLiteral("=")
                                                    : QStringLiteral("%1.").arg(row + 1));
        lblHold_[row]->setText(ToQString(HoldText(hand, hold.kept)) +
                               QStringLiteral(" — returns ") +
                               ToQString(MultipleText(hold.payback.Multiple())));
    }
    const MarksReview review = ReviewMarks(ranking_, model_.Discards());
    lblYourMarks_->setText(
        QStringLiteral("Your marks: returns ") + ToQString(MultipleText(review.played.Multiple())) +
        (review.matchedBest
             ? QStringLiteral(", a best hold.")
             : QStringLiteral(", ") + ToQString(MultipleText(review.MultipleGivenUp())) +
                   QStringLiteral(" less than the best.")));
}

void AdvisorWindow::ShowSession() {
    session_->Refresh();
}

void AdvisorWindow::ShowFigures() {
    if (!rankedHand_ && Permitted(model_.Phase()).mark && model_.HoldsReady(*game_)) {
        ShowHolds(); // the hand dealt while the analysis was being prepared
    }
    const GameReturnTable* table = model_.ReturnTableIfReady(*game_);
    if (table == nullptr) {
        return;
    }
    analysisTimer_->stop();
    lblFigures_->setText(QStringLiteral("Perfect play returns ") +
                         ToQString(DecimalText(table->Return(table->perfectPlay), 10)) +
                         QStringLiteral(" × bet; standing pat returns ") +
                         ToQString(DecimalText(table->Return(table->standPat), 10)) +
                         QStringLiteral(" × bet."));
    returns_->Fill(*table);
}

} // namespace corvanta
