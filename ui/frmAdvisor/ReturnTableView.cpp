#include "ui/frmAdvisor/ReturnTableView.h"

#include "engine/CommandLine.h"
#include "engine/ReturnTable.h"
#include "ui/Dialogs.h"
#include "ui/Widgets.h"
#include "ui/frmAdvisor/LineDelegate.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvanta {
namespace {

QLabel* Heading(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(FontOf(GameFont::StandardBold));
    parent->layout()->addWidget(label);
    return label;
}

QTableWidget* ReturnRowsTable(QWidget* parent, const char* name) {
    auto* table = new QTableWidget(0, 4, parent);
    table->setItemDelegate(new LineDelegate(table));
    table->setObjectName(QString::fromLatin1(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(18);
    table->setHorizontalHeaderLabels({QStringLiteral("Hand"), QStringLiteral("Payout"),
                                      QStringLiteral("Probability"), QStringLiteral("Return")});
    const int widths[] = {128, 56, 92, 90};
    for (int column = 0; column < 4; ++column) {
        table->setColumnWidth(column, widths[column]);
    }
    table->horizontalHeader()->setStretchLastSection(true);
    table->setMinimumHeight(90);
    static_cast<QBoxLayout*>(parent->layout())->addWidget(table, 1);
    return table;
}

void SetRow(QTableWidget* table, int row, const QStringList& cells) {
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        if (column > 0) {
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        table->setItem(row, column, item);
    }
}

QString Percent(double probability) {
    return QString::number(100 * probability, 'g', 4) + QStringLiteral(" %");
}

// Best paid first, then every round with the return to ten decimals.
void FillTable(QTableWidget* table, const GameReturnTable& returns,
               const std::vector<std::uint64_t>& play) {
    const Game& game = *returns.game;
    const std::vector<int> hands = HandsByPay(game);
    table->setRowCount(static_cast<int>(hands.size()) + 1);
    double total = 0; // the rows' probabilities added up: 100 % when nothing was lost
    for (std::size_t row = 0; row < hands.size(); ++row) {
        const HandRule& rule = game.hands[static_cast<std::size_t>(hands[row])];
        const Fraction probability = returns.Probability(play, hands[row]);
        SetRow(table, static_cast<int>(row),
               {ToQString(rule.name),
                rule.pay == 0 ? QStringLiteral("—") : QStringLiteral("%1x").arg(rule.pay),
                Percent(probability.Value()),
                QString::number(rule.pay * probability.Value(), 'f', 4)});
        total += probability.Value();
    }
    SetRow(table, static_cast<int>(hands.size()),
           {QStringLiteral("All rounds"), QString(), Percent(total),
            ToQString(DecimalText(returns.Return(play), 10))});
}

} // namespace

ReturnTableView::ReturnTableView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("viewReturns"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    barComputing_ = new QProgressBar(this);
    barComputing_->setObjectName(QStringLiteral("barComputing"));
    barComputing_->setRange(0, 0); // busy: the computation says nothing of how far it is
    barComputing_->setAccessibleName(QStringLiteral("Computing the return tables"));
    layout->addWidget(barComputing_);
    lblPerfectPlay_ = Heading(this, "lblPerfectPlay");
    tblPerfectPlay_ = ReturnRowsTable(this, "tblPerfectPlay");
    lblStandPat_ = Heading(this, "lblStandPat");
    tblStandPat_ = ReturnRowsTable(this, "tblStandPat");
}

void ReturnTableView::Computing(const Game& game) {
    barComputing_->show();
    barComputing_->setFormat(QStringLiteral("Computing %1…").arg(ToQString(game.title)));
    barComputing_->setTextVisible(true);
    lblPerfectPlay_->setText(ToQString(game.title) + QStringLiteral(" under perfect play"));
    lblStandPat_->setText(ToQString(game.title) + QStringLiteral(" when standing pat"));
    for (QTableWidget* table : {tblPerfectPlay_, tblStandPat_}) {
        table->setRowCount(1);
        SetRow(table, 0, {QStringLiteral("Computing…"), QString(), QString(), QString()});
    }
}

void ReturnTableView::Fill(const GameReturnTable& table) {
    barComputing_->hide();
    lblPerfectPlay_->setText(ToQString(table.game->title) + QStringLiteral(" under perfect play"));
    lblStandPat_->setText(ToQString(table.game->title) + QStringLiteral(" when standing pat"));
    FillTable(tblPerfectPlay_, table, table.perfectPlay);
    FillTable(tblStandPat_, table, table.standPat);
}

} // namespace corvanta
