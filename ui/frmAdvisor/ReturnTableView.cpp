#include "ui/frmAdvisor/ReturnTableView.h"

#include "engine/Round.h"
#include "ui/Dialogs.h"
#include "ui/Widgets.h"

#include <QLabel>
#include <QTableWidget>

namespace corvanta {
namespace {

constexpr int HeadingHeight = 270;
constexpr int TableHeight = 3780;
constexpr int Rows = CategoryCount + 1; // the categories, best first, and the total

QTableWidget* ReturnRowsTable(QWidget* parent, const char* name, const char* heading, int top) {
    AddLabel(
        parent,
        {name, {0, top, ReturnTableView::Width, HeadingHeight}, heading, GameFont::StandardBold});
    auto* table = AddReadOnlyTable(
        parent, QString::fromLatin1(name).replace(QStringLiteral("lbl"), QStringLiteral("tbl")),
        {0, top + HeadingHeight, ReturnTableView::Width, TableHeight}, Rows,
        {{"Category", 128}, {"Payout", 56}, {"Probability", 92}, {"Return", 90}});
    table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Computing…")));
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

void FillTable(QTableWidget* table, const ReturnRows& rows) {
    double probability = 0;
    for (int category = CategoryCount - 1; category >= 0; --category) {
        const ReturnRow& row = rows[static_cast<std::size_t>(category)];
        SetRow(
            table, CategoryCount - 1 - category,
            {ToQString(PayoffTable[static_cast<std::size_t>(category)].lastHand),
             row.multiplier == 0 ? QStringLiteral("—") : QStringLiteral("%1x").arg(row.multiplier),
             Percent(row.Probability()), QString::number(row.Contribution(), 'f', 4)});
        probability += row.Probability();
    }
    SetRow(table, CategoryCount,
           {QStringLiteral("All rounds"), QString(), Percent(probability),
            QString::number(ReturnPerRound(rows), 'f', 4)});
}

} // namespace

ReturnTableView::ReturnTableView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("viewReturns"));
    tblPerfectPlay_ = ReturnRowsTable(this, "lblPerfectPlay", "The game under perfect play", 0);
    tblStandPat_ = ReturnRowsTable(this, "lblStandPat", "The game when standing pat",
                                   HeadingHeight + TableHeight + 210);
}

void ReturnTableView::Fill(const ReturnTable& table) {
    FillTable(tblPerfectPlay_, table.perfectPlay);
    FillTable(tblStandPat_, table.standPat);
}

} // namespace corvanta
