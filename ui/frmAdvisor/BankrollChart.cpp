#include "ui/frmAdvisor/BankrollChart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace corvanta {
namespace {

QString Dollars(std::int64_t amount) {
    return QStringLiteral("$%1").arg(amount);
}

} // namespace

BankrollChart::BankrollChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picBankroll"));
    setAccessibleName(QStringLiteral("Bankroll after each round"));
}

void BankrollChart::Show(std::int64_t starting, std::vector<std::int64_t> afterEachRound) {
    starting_ = starting;
    rounds_ = std::move(afterEachRound);
    lowest_ = highest_ = starting_;
    for (const std::int64_t amount : rounds_) {
        lowest_ = std::min(lowest_, amount);
        highest_ = std::max(highest_, amount);
    }
    setAccessibleDescription(
        rounds_.empty() ? QStringLiteral("%1 at the start, no round played").arg(Dollars(starting_))
                        : QStringLiteral("%1 at the start, %2 after %3 rounds")
                              .arg(Dollars(starting_), Dollars(rounds_.back()))
                              .arg(rounds_.size()));
    // A little room above and below, so that no line lies on the frame.
    const std::int64_t room = std::max<std::int64_t>(1, (highest_ - lowest_) / 10);
    highest_ += room;
    lowest_ -= room;
    update();
}

QRect BankrollChart::Plot() const {
    return rect().adjusted(LeftMargin, TopMargin, -RightMargin, -BottomMargin);
}

QPointF BankrollChart::PointFor(int round, std::int64_t amount) const {
    const QRect plot = Plot();
    const int steps = std::max<int>(1, static_cast<int>(rounds_.size()));
    const double x = plot.left() + plot.width() * static_cast<double>(round) / steps;
    const double share = static_cast<double>(amount - lowest_) / (highest_ - lowest_);
    return {x, plot.bottom() - plot.height() * share};
}

void BankrollChart::DrawAxes(QPainter& painter) const {
    const QRect plot = Plot();
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(plot);
    const QRect amounts(0, plot.top() - 6, LeftMargin - 4, plot.height() + 12);
    const auto [lowest, highest] = std::minmax_element(rounds_.begin(), rounds_.end());
    const std::int64_t top = rounds_.empty() ? starting_ : std::max(starting_, *highest);
    const std::int64_t bottom = rounds_.empty() ? starting_ : std::min(starting_, *lowest);
    painter.drawText(amounts, Qt::AlignRight | Qt::AlignTop, Dollars(top));
    painter.drawText(amounts, Qt::AlignRight | Qt::AlignBottom, Dollars(bottom));
    const QRect rounds(plot.left(), plot.bottom() + 2, plot.width(), BottomMargin - 2);
    painter.drawText(rounds, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("start"));
    painter.drawText(rounds, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("round %1").arg(rounds_.size()));
}

void BankrollChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    DrawAxes(painter);
    const QRect plot = Plot();
    const double startY = PointFor(0, starting_).y();
    painter.setPen(QPen(QColor(StartColour), 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), startY), QPointF(plot.right(), startY));
    if (rounds_.empty()) {
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No round played yet"));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath line(PointFor(0, starting_));
    for (std::size_t round = 0; round < rounds_.size(); ++round) {
        line.lineTo(PointFor(static_cast<int>(round) + 1, rounds_[round]));
    }
    painter.setPen(QPen(QColor(LineColour), 2));
    painter.drawPath(line);
}

} // namespace corvanta
