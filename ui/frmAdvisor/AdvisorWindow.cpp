#include "ui/frmAdvisor/AdvisorWindow.h"

#include "engine/AdviceText.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"
#include "ui/frmAdvisor/ReturnTableView.h"
#include "ui/frmAdvisor/SessionRounds.h"
#include "ui/frmAdvisor/SessionView.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <algorithm>

namespace corvanta {
namespace {

// The controls, in twips. On the left: a title, the ranked holds (rank column and hold), the
// player's own marks, the button, the game's return, then the session. On the right: the
// game's return table.
constexpr int Margin = 240;
constexpr int LeftWidth = SessionView::Width;
constexpr int RightLeft = Margin + LeftWidth + 360;
constexpr int WindowWidth = RightLeft + ReturnTableView::Width + Margin;
constexpr int LineHeight = 255;
constexpr int TitleTop = 120;
constexpr int RankWidth = 360;
constexpr int RowTop = 480;
constexpr int RowStep = 270;
constexpr int MarksTop = RowTop + AdvisorWindow::ListedHolds * RowStep + 60;
constexpr int ButtonTop = MarksTop + 360;
constexpr int ButtonWidth = 1800;
constexpr int ButtonHeight = 375;
constexpr int FiguresHeadingTop = ButtonTop + ButtonHeight + 300;
constexpr int FiguresTop = FiguresHeadingTop + 270;
constexpr int SessionTop = FiguresTop + 420;
constexpr int WindowHeight = SessionTop + SessionView::Height + 180;

QLabel* AdvisorLabel(QWidget* window, const QString& name, int left, int top, int width, int height,
                     bool bold = false) {
    const std::string latin1 = name.toStdString();
    return corvanta::AddLabel(window, {latin1.c_str(),
                                       {left, top, width, height},
                                       "",
                                       bold ? GameFont::StandardBold : GameFont::Standard});
}

} // namespace

AdvisorWindow::AdvisorWindow(const GameModel& model)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      model_(model) {
    setObjectName(QStringLiteral("frmAdvisor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Corvanta - Hold Advisor"));
    setFont(FontOf(GameFont::Standard));
    setFixedSize(Px(WindowWidth), Px(WindowHeight));
    BuildHolds();
    AdvisorLabel(this, QStringLiteral("lblFiguresHeading"), Margin, FiguresHeadingTop, LeftWidth,
                 LineHeight, true)
        ->setText(QStringLiteral("The game's return per round, as a multiple of the bet"));
    lblFigures_ =
        AdvisorLabel(this, QStringLiteral("lblFigures"), Margin, FiguresTop, LeftWidth, LineHeight);
    lblFigures_->setText(QStringLiteral("Computing…"));
    session_ = new SessionView(model_.Training(), this);
    session_->move(Px(Margin), Px(SessionTop));
    session_->resize(Px(SessionView::Width), Px(SessionView::Height));
    returns_ = new ReturnTableView(this);
    returns_->setGeometry(
        ToPixels({RightLeft, TitleTop, ReturnTableView::Width, ReturnTableView::Height}));

    // The holds follow every change of the table; the session changes with each draw only.
    connect(&model_, &GameModel::handChanged, this, &AdvisorWindow::ShowHolds);
    connect(&model_, &GameModel::betChanged, this, &AdvisorWindow::ShowHolds);
    connect(&model_, &GameModel::roundSettled, this, &AdvisorWindow::ShowSession);
    Refresh();
    // The game's return is computed once, on another thread; the window shows at once and
    // fills it in when it is ready.
    figuresTimer_ = new QTimer(this);
    connect(figuresTimer_, &QTimer::timeout, this, &AdvisorWindow::ShowFigures);
    figuresTimer_->start(20);
    ShowFigures();
}

void AdvisorWindow::BuildHolds() {
    lblTitle_ = AdvisorLabel(this, QStringLiteral("lblTitle"), Margin, TitleTop, LeftWidth,
                             LineHeight, true);
    for (int row = 0; row < ListedHolds; ++row) {
        const int top = RowTop + row * RowStep;
        lblRank_[row] = AdvisorLabel(this, QStringLiteral("lblRank%1").arg(row + 1), Margin, top,
                                     RankWidth, LineHeight);
        lblHold_[row] = AdvisorLabel(this, QStringLiteral("lblHold%1").arg(row + 1),
                                     Margin + RankWidth, top, LeftWidth - RankWidth, LineHeight);
    }
    lblYourMarks_ =
        AdvisorLabel(this, QStringLiteral("lblYourMarks"), Margin, MarksTop, LeftWidth, LineHeight);
    cmdMarkBest_ = new QPushButton(QStringLiteral("&Mark Best Hold"), this);
    cmdMarkBest_->setObjectName(QStringLiteral("cmdMarkBest"));
    cmdMarkBest_->setGeometry(ToPixels({Margin, ButtonTop, ButtonWidth, ButtonHeight}));
    // Enter presses it while it has the focus, and deals elsewhere in the window; Esc closes.
    cmdMarkBest_->setDefault(true);
    connect(cmdMarkBest_, &QPushButton::clicked, this, &AdvisorWindow::markBestHoldRequested);
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

void AdvisorWindow::ShowHolds() {
    const bool dealt = Permitted(model_.Phase()).mark;
    cmdMarkBest_->setEnabled(dealt);
    if (!dealt) {
        rankedHand_.reset();
        lblTitle_->setText(
            model_.Phase() == DealStateCode::BetPlaced
                ? QStringLiteral("Bet of %1 placed. Once you deal, the best holds will be listed "
                                 "here, ranked by expected payback.")
                      .arg(MoneyText({model_.BetAmount()}))
                : QStringLiteral("No cards are dealt. Once you bet and deal, the best holds will "
                                 "be listed here, ranked by expected payback."));
        for (int row = 0; row < ListedHolds; ++row) {
            lblRank_[row]->clear();
            lblHold_[row]->clear();
        }
        lblYourMarks_->clear();
        return;
    }
    const FiveCards& hand = model_.Hand();
    if (rankedHand_ != hand) {
        ranking_ = RankHolds(hand);
        rankedHand_ = hand;
    }
    lblTitle_->setText(QStringLiteral("Best holds for this hand, by expected payback per dollar "
                                      "bet (\"=\": as good as the hold above):"));
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
    const ReturnTable* table = model_.ReturnTableIfReady();
    if (table == nullptr) {
        return;
    }
    figuresTimer_->stop();
    lblFigures_->setText(QStringLiteral("Perfect play returns ") +
                         ToQString(MultipleText(ReturnPerRound(table->perfectPlay))) +
                         QStringLiteral("; standing pat returns ") +
                         ToQString(MultipleText(ReturnPerRound(table->standPat))) +
                         QStringLiteral("."));
    returns_->Fill(*table);
}

} // namespace corvanta
