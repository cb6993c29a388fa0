#include "ui/frmAdvisor/AdvisorWindow.h"

#include "engine/Format.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"
#include "ui/frmAdvisor/SessionRounds.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <algorithm>

namespace corvanta {
namespace {

// The controls, in twips: a title, the ranked holds (rank column and hold), the player's own
// marks, the button, then the game's figures and the session's counts under their headings.
constexpr int Margin = 240;
constexpr int WindowWidth = 9300;
constexpr int InnerWidth = WindowWidth - 2 * Margin;
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
constexpr int SessionHeadingTop = FiguresTop + 420;
constexpr int SessionTop = SessionHeadingTop + 270;
constexpr int WindowHeight = SessionTop + 3 * RowStep + 150;

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

    lblTitle_ = AdvisorLabel(this, QStringLiteral("lblTitle"), Margin, TitleTop, InnerWidth,
                             LineHeight, true);
    for (int row = 0; row < ListedHolds; ++row) {
        const int top = RowTop + row * RowStep;
        lblRank_[row] = AdvisorLabel(this, QStringLiteral("lblRank%1").arg(row + 1), Margin, top,
                                     RankWidth, LineHeight);
        lblHold_[row] = AdvisorLabel(this, QStringLiteral("lblHold%1").arg(row + 1),
                                     Margin + RankWidth, top, InnerWidth - RankWidth, LineHeight);
    }
    lblYourMarks_ = AdvisorLabel(this, QStringLiteral("lblYourMarks"), Margin, MarksTop, InnerWidth,
                                 LineHeight);

    cmdMarkBest_ = new QPushButton(QStringLiteral("&Mark Best Hold"), this);
    cmdMarkBest_->setObjectName(QStringLiteral("cmdMarkBest"));
    cmdMarkBest_->setGeometry(ToPixels({Margin, ButtonTop, ButtonWidth, ButtonHeight}));
    cmdMarkBest_->setDefault(true); // Enter presses it while it is enabled; Esc closes
    connect(cmdMarkBest_, &QPushButton::clicked, this, &AdvisorWindow::MarkBestHold);

    AdvisorLabel(this, QStringLiteral("lblFiguresHeading"), Margin, FiguresHeadingTop, InnerWidth,
                 LineHeight, true)
        ->setText(QStringLiteral("The game's return per round, as a multiple of the bet"));
    lblFigures_ = AdvisorLabel(this, QStringLiteral("lblFigures"), Margin, FiguresTop, InnerWidth,
                               LineHeight);
    lblFigures_->setText(QStringLiteral("Computing…"));
    AdvisorLabel(this, QStringLiteral("lblSessionHeading"), Margin, SessionHeadingTop, InnerWidth,
                 LineHeight, true)
        ->setText(QStringLiteral("This session (not saved)"));
    auto sessionLine = [&](const QString& name, int line) {
        return AdvisorLabel(this, name, Margin, SessionTop + line * RowStep, InnerWidth,
                            LineHeight);
    };
    lblRoundsAdvised_ = sessionLine(QStringLiteral("lblRoundsAdvised"), 0);
    lblRoundsBest_ = sessionLine(QStringLiteral("lblRoundsBest"), 1);
    lblGivenUp_ = sessionLine(QStringLiteral("lblGivenUp"), 2);

    connect(&model_, &GameModel::handChanged, this, &AdvisorWindow::Refresh);
    connect(&model_, &GameModel::betChanged, this, &AdvisorWindow::Refresh);
    connect(&model_, &GameModel::roundSettled, this, &AdvisorWindow::Refresh);
    Refresh();
    // The figures take a moment; the window shows first.
    QTimer::singleShot(0, this, &AdvisorWindow::ShowFigures);
}

void AdvisorWindow::Refresh() {
    ShowHolds();
    ShowSession();
}

void AdvisorWindow::ShowHolds() {
    const Table& table = model_.GetTable();
    const bool dealt = table.DealState == DealStateCode::CardsDealt;
    cmdMarkBest_->setEnabled(dealt);
    if (!dealt) {
        rankedHand_.reset();
        lblTitle_->setText(
            table.DealState == DealStateCode::BetPlaced
                ? QStringLiteral("Bet of %1 placed. Once you deal, the best holds will be listed "
                                 "here, ranked by expected payback.")
                      .arg(ToQString(MoneyText(table.BetAmount)))
                : QStringLiteral("No cards are dealt. Once you bet and deal, the best holds will "
                                 "be listed here, ranked by expected payback."));
        for (int row = 0; row < ListedHolds; ++row) {
            lblRank_[row]->clear();
            lblHold_[row]->clear();
        }
        lblYourMarks_->clear();
        return;
    }
    if (rankedHand_ != table.Hand) {
        ranking_ = RankHolds(table.Hand);
        rankedHand_ = table.Hand;
    }
    lblTitle_->setText(QStringLiteral("Best holds for this hand, by expected payback per dollar "
                                      "bet (\"=\": as good as the hold above):"));
    for (int row = 0; row < ListedHolds; ++row) {
        const HoldValue& hold = ranking_[row];
        lblRank_[row]->setText(hold.equalToPrevious ? QStringLiteral("=")
                                                    : QStringLiteral("%1.").arg(row + 1));
        lblHold_[row]->setText(HoldText(table.Hand, hold.kept) + QStringLiteral(" — returns ") +
                               MultipleText(hold.payback.Multiple()));
    }
    const MarksReview review = ReviewMarks(ranking_, table.Discard);
    lblYourMarks_->setText(
        QStringLiteral("Your marks: returns ") + MultipleText(review.played.Multiple()) +
        (review.matchedBest ? QStringLiteral(", a best hold.")
                            : QStringLiteral(", ") + MultipleText(review.MultipleGivenUp()) +
                                  QStringLiteral(" less than the best.")));
}

void AdvisorWindow::ShowSession() {
    const TrainingSession& session = model_.Training();
    lblRoundsAdvised_->setText(QStringLiteral("Rounds advised: %1").arg(session.RoundsAdvised()));
    lblRoundsBest_->setText(QStringLiteral("Rounds whose discards were a best hold: %1")
                                .arg(session.RoundsMatchingBest()));
    lblGivenUp_->setText(QStringLiteral("Expected dollars given up by the other choices: $%1")
                             .arg(session.DollarsGivenUp(), 0, 'f', 2));
}

void AdvisorWindow::ShowFigures() {
    const GameFigures figures = ComputeGameFigures();
    lblFigures_->setText(QStringLiteral("Perfect play returns ") +
                         MultipleText(figures.PerfectPlay()) +
                         QStringLiteral("; standing pat returns ") +
                         MultipleText(figures.StandPat()) + QStringLiteral("."));
}

void AdvisorWindow::MarkBestHold() {
    const Table& table = model_.GetTable();
    if (table.DealState != DealStateCode::CardsDealt) {
        return;
    }
    const DiscardMarks best = BestHoldDiscards(table.Hand);
    const DiscardMarks current = table.Discard; // the table changes as the marks are asked for
    for (int slot = 0; slot < HandSize; ++slot) {
        if (current[slot] != best[slot]) {
            emit toggleRequested(slot);
        }
    }
}

} // namespace corvanta
