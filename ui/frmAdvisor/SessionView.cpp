#include "ui/frmAdvisor/SessionView.h"

#include "engine/Trainer.h"
#include "ui/Dialogs.h"
#include "ui/Widgets.h"
#include "ui/frmAdvisor/BankrollChart.h"
#include "ui/frmAdvisor/SessionRounds.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>

namespace corvanta {
namespace {

constexpr int LineHeight = 255;
constexpr int LineStep = 270;
constexpr int ListTop = 5 * LineStep;
constexpr int ListHeight = 2100;
constexpr int ButtonTop = ListTop + ListHeight + 90;
constexpr int ChartTop = ButtonTop + 375 + 90;

QLabel* Line(QWidget* parent, const char* name, int line, GameFont font = GameFont::Standard) {
    return AddLabel(parent, {name, {0, line * LineStep, SessionView::Width, LineHeight}, "", font});
}

QTableWidget* RoundsTable(QWidget* parent) {
    auto* table = AddReadOnlyTable(
        parent, QStringLiteral("tblRounds"), {0, ListTop, SessionView::Width, ListHeight}, 0,
        {{"Round", 46}, {"Dealt", 116}, {"Discarded", 82}, {"Best hold", 236}, {"Given up", 70}});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    return table;
}

} // namespace

SessionView::SessionView(const TrainingSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("viewSession"));
    Line(this, "lblSessionHeading", 0, GameFont::StandardBold)
        ->setText(QStringLiteral("This session (not saved)"));
    lblRoundsAdvised_ = Line(this, "lblRoundsAdvised", 1);
    lblRoundsBest_ = Line(this, "lblRoundsBest", 2);
    lblGrades_ = Line(this, "lblGrades", 3);
    lblGivenUp_ = Line(this, "lblGivenUp", 4);
    tblRounds_ = RoundsTable(this);
    cmdSaveList_ = new QPushButton(QStringLiteral("Save List as &CSV…"), this);
    cmdSaveList_->setObjectName(QStringLiteral("cmdSaveList"));
    cmdSaveList_->setGeometry(ToPixels({0, ButtonTop, 2400, 375}));
    cmdSaveList_->setAutoDefault(false);
    connect(cmdSaveList_, &QPushButton::clicked, this, &SessionView::SaveList);
    picBankroll_ = new BankrollChart(this);
    picBankroll_->setGeometry(ToPixels({0, ChartTop, Width, Height - ChartTop}));
    Refresh();
}

void SessionView::Refresh() {
    lblRoundsAdvised_->setText(QStringLiteral("Rounds advised: %1").arg(session_.RoundsAdvised()));
    lblRoundsBest_->setText(QStringLiteral("Rounds whose discards were a best hold: %1")
                                .arg(session_.RoundsMatchingBest()));
    lblGrades_->setText(QStringLiteral("Accuracy: %1 %; small mistakes: %2; large mistakes: %3")
                            .arg(QString::number(100 * session_.Accuracy(), 'f', 1))
                            .arg(session_.SmallMistakes())
                            .arg(session_.LargeMistakes()));
    lblGivenUp_->setText(QStringLiteral("Expected dollars given up by the other choices: $%1")
                             .arg(session_.DollarsGivenUp(), 0, 'f', 2));
    ShowRounds();
    std::vector<std::int64_t> bankroll;
    for (const TrainedRound& round : session_.Rounds()) {
        bankroll.push_back(round.bankrollAfter);
    }
    picBankroll_->Show(session_.StartingBankroll(), std::move(bankroll));
    cmdSaveList_->setEnabled(!session_.Rounds().empty());
}

void SessionView::ShowRounds() {
    const auto& rounds = session_.Rounds();
    tblRounds_->setRowCount(static_cast<int>(rounds.size()));
    for (std::size_t n = 0; n < rounds.size(); ++n) {
        const TrainedRound& round = rounds[rounds.size() - 1 - n]; // newest first
        const QString cells[] = {
            QString::number(rounds.size() - n), ShortCards(round.dealt),
            ShortCards(round.dealt, AllKept & ~KeptBy(round.discards)),
            ToQString(HoldText(round.dealt, round.bestHold)),
            round.mistake == Mistake::None
                ? QStringLiteral("—")
                : QStringLiteral("$%1").arg(round.DollarsGivenUp(), 0, 'f', 2)};
        for (int column = 0; column < static_cast<int>(std::size(cells)); ++column) {
            tblRounds_->setItem(static_cast<int>(n), column, new QTableWidgetItem(cells[column]));
        }
    }
}

void SessionView::SaveList() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Corvanta - Save List"),
                                                      QStringLiteral("corvanta-session.csv"),
                                                      QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(RoundsCsv(session_).toUtf8()) < 0 ||
        !file.commit()) {
        ShowMessage(
            this, QStringLiteral("Corvanta - Save List"),
            QStringLiteral("The list could not be saved to %1:\r%2").arg(path, file.errorString()));
    }
}

} // namespace corvanta
