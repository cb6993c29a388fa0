#include "ui/frmAdvisor/SessionView.h"

#include "engine/Trainer.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"
#include "ui/frmAdvisor/BankrollChart.h"
#include "ui/frmAdvisor/LineLabel.h"
#include "ui/frmAdvisor/RoundsModel.h"
#include "ui/frmAdvisor/RoundsTable.h"
#include "ui/frmAdvisor/SessionRounds.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace corvanta {
namespace {

LineLabel* Line(QVBoxLayout* layout, const char* name, bool bold = false) {
    auto* label = new LineLabel(layout->parentWidget(), QString::fromLatin1(name), bold);
    layout->addWidget(label, 0, Qt::AlignLeft); // its line's width, on the left
    return label;
}

} // namespace

SessionView::SessionView(GameModel& model, QWidget* parent)
    : QWidget(parent), model_(model), session_(model.Training()) {
    setObjectName(QStringLiteral("viewSession"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    Line(layout, "lblSessionHeading", true)->setText(QStringLiteral("This session (not saved)"));
    lblRoundsAdvised_ = Line(layout, "lblRoundsAdvised");
    lblRoundsBest_ = Line(layout, "lblRoundsBest");
    lblGrades_ = Line(layout, "lblGrades");
    lblGivenUp_ = Line(layout, "lblGivenUp");
    rounds_ = new RoundsModel(session_, this);
    tblRounds_ = new RoundsTable(rounds_, this);
    layout->addWidget(tblRounds_, 3);
    cmdSaveList_ = new QPushButton(QStringLiteral("Save List as &CSV…"), this);
    cmdSaveList_->setObjectName(QStringLiteral("cmdSaveList"));
    cmdSaveList_->setAutoDefault(false);
    layout->addWidget(cmdSaveList_, 0, Qt::AlignLeft);
    connect(cmdSaveList_, &QPushButton::clicked, this, &SessionView::SaveList);
    picBankroll_ = new BankrollChart(this);
    picBankroll_->setMinimumHeight(80);
    layout->addWidget(picBankroll_, 2);
    picBankroll_->Start(session_.StartingBankroll());
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
    rounds_->Follow();
    const auto& rounds = session_.Rounds();
    for (std::size_t n = picBankroll_->Rounds(); n < rounds.size(); ++n) {
        picBankroll_->Add(rounds[n].bankrollAfter);
    }
    cmdSaveList_->setEnabled(!rounds.empty());
}

QString SessionView::SaveFolder() const {
    return model_.ListFolder().isEmpty()
               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
               : model_.ListFolder();
}

void SessionView::SaveList() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Corvanta - Save List"),
        QDir(SaveFolder()).filePath(QStringLiteral("corvanta-session.csv")),
        QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    model_.KeepListFolder(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(RoundsCsv(session_).toUtf8()) < 0 ||
        !file.commit()) {
        ShowMessage(
            this, QStringLiteral("Corvanta - Save List"),
            QStringLiteral("The list could not be saved to %1:\r%2").arg(path, file.errorString()));
    }
}

} // namespace corvanta
