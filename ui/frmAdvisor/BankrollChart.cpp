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

void BankrollChart::Start(std::int64_t starting) {
    starting_ = lowest_ = highest_ = starting;
    rounds_.clear();
    Described();
}

void BankrollChart::Add(std::int64_t afterRound) {
    rounds_.push_back(afterRound);
    lowest_ = std::min(lowest_, afterRound);
    highest_ = std::max(highest_, afterRound);
    Described();
}

void BankrollChart::Show(std::int64_t starting, const std::vector<std::int64_t>& afterEachRound) {
    Start(starting);
    for (const std::int64_t amount : afterEachRound) {
        Add(amount);
    }
}

void BankrollChart::Described() {
    setAccessibleDescription(
        rounds_.empty() ? QStringLiteral("%1 at the start, no round played").arg(Dollars(starting_))
                        : QStringLiteral("%1 at the start, %2 after %3 rounds")
                              .arg(Dollars(starting_), Dollars(rounds_.back()))
                              .arg(rounds_.size()));
    update();
}

bool BankrollChart::DarkBase() const {
    return palette().color(QPalette::Base).lightness() < 128;
}

QRect BankrollChart::Plot() const {
    return rect().adjusted(LeftMargin, TopMargin, -RightMargin, -BottomMargin);
}

QPointF BankrollChart::PointFor(int round, std::int64_t amount) const {
    const QRect plot = Plot();
    const int steps = std::max<int>(1, static_cast<int>(rounds_.size()));
    const double x = plot.left() + plot.width() * static_cast<double>(round) / steps;
    // A little room above and below, so that no line lies on the frame.
    const std::int64_t room = std::max<std::int64_t>(1, (highest_ - lowest_) / 10);
    const double share = static_cast<double>(amount - lowest_ + room) /
                         static_cast<double>(highest_ - lowest_ + 2 * room);
    return {x, plot.bottom() - plot.height() * share};
}

void BankrollChart::DrawAxes(QPainter& painter) const {
    const QRect plot = Plot();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawRect(plot);
    const QRect amounts(0, plot.top() - 6, LeftMargin - 4, plot.height() + 12);
    painter.drawText(amounts, Qt::AlignRight | Qt::AlignTop, Dollars(highest_));
    painter.drawText(amounts, Qt::AlignRight | Qt::AlignBottom, Dollars(lowest_));
    const QRect rounds(plot.left(), plot.bottom() + 2, plot.width(), BottomMargin - 2);
    painter.drawText(rounds, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("start"));
    painter.drawText(rounds, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("round %1").arg(rounds_.size()));
}

void BankrollChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    DrawAxes(painter);
    const QRect plot = Plot();
    const double startY = PointFor(0, starting_).y();
    painter.setPen(QPen(QColor(DarkBase() ? StartOnDark : StartColour), 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), startY), QPointF(plot.right(), startY));
    if (rounds_.empty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No round played yet"));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(DarkBase() ? LineOnDark : LineColour), 2));
    painter.drawPath(Line());
}

QPainterPath BankrollChart::Line() const {
    QPainterPath line(PointFor(0, starting_));
    const std::size_t columns = static_cast<std::size_t>(std::max(1, Plot().width()));
    const std::size_t step = (rounds_.size() + columns - 1) / columns; // rounds a point stands for
    // A long session draws, for each run of `step` rounds, their lowest and highest: the line
    // looks the same and costs as much as a short session's.
    for (std::size_t first = 0; first < rounds_.size(); first += step) {
        const std::size_t last = std::min(rounds_.size(), first + step) - 1;
        const auto [low, high] =
            std::minmax_element(rounds_.begin() + static_cast<std::ptrdiff_t>(first),
                                rounds_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
        const int x = static_cast<int>(last) + 1;
        if (step > 1) {
            line.lineTo(PointFor(x, *low));
            line.lineTo(PointFor(x, *high));
        }
        line.lineTo(PointFor(x, rounds_[last]));
    }
    return line;
}

} // namespace corvanta
