#include "ui/frmAdvisor/BankrollChart.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace corvanta {
namespace {

QString Dollars(std::int64_t amount) {
    return QStringLiteral("$%1").arg(amount);
}

constexpr std::size_t FewestRounds = 10; // the shortest rounds axis

} // namespace

std::int64_t RoundFigure(double atLeast) {
    std::int64_t figure = 1;
    for (int step = 0; static_cast<double>(figure) < atLeast && figure < INT64_MAX / 5; ++step) {
        figure = step % 3 == 1 ? figure / 2 * 5 : figure * 2; // 1, 2, 5, 10, 20, 50, …
    }
    return figure;
}

BankrollChart::BankrollChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picBankroll"));
    setAccessibleName(QStringLiteral("Bankroll after each round"));
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel comes from the picture
}

void BankrollChart::Start(std::int64_t starting) {
    starting_ = lowest_ = highest_ = starting;
    rounds_.clear();
    roundsAxis_ = 0;
    lowAxis_ = highAxis_ = starting; // no axis holds it yet
    FitAxes();
    picture_ = {};
    Described();
    update();
}

void BankrollChart::Add(std::int64_t afterRound) {
    rounds_.push_back(afterRound);
    lowest_ = std::min(lowest_, afterRound);
    highest_ = std::max(highest_, afterRound);
    Described();
    if (FitAxes() || picture_.isNull() || pictured_ + 1 != rounds_.size()) {
        picture_ = {};
        update();
        return;
    }
    QPainter painter(&picture_);
    DrawStroke(painter, rounds_.size());
    pictured_ = rounds_.size();
    update(StrokeBox(rounds_.size()));
}

void BankrollChart::Show(std::int64_t starting, const std::vector<std::int64_t>& afterEachRound) {
    Start(starting);
    for (const std::int64_t amount : afterEachRound) {
        Add(amount); // the axes grown as they would have grown round by round
    }
}

bool BankrollChart::FitAxes() {
    const bool roundsFit = rounds_.size() <= roundsAxis_;
    const bool amountsFit = lowAxis_ < lowest_ && highest_ < highAxis_;
    if (roundsFit && amountsFit) {
        return false;
    }
    roundsAxis_ = static_cast<std::size_t>(
        RoundFigure(static_cast<double>(std::max(FewestRounds, rounds_.size()))));
    if (!amountsFit) {
        // Round figures a step beyond the amounts, the step at least half their range: the
        // amounts must run half as far again before the axis grows once more.
        const std::int64_t step = RoundFigure(static_cast<double>(highest_ - lowest_) / 2);
        const auto stepsTo = [step](std::int64_t amount, double (*round)(double)) {
            return static_cast<std::int64_t>(round(static_cast<double>(amount) / step)) * step;
        };
        lowAxis_ = stepsTo(lowest_, std::floor) - step;
        highAxis_ = stepsTo(highest_, std::ceil) + step;
    }
    return true;
}

void BankrollChart::Described() {
    setAccessibleDescription(
        rounds_.empty() ? QStringLiteral("%1 at the start, no round played").arg(Dollars(starting_))
                        : QStringLiteral("%1 at the start, %2 after %3 rounds")
                              .arg(Dollars(starting_), Dollars(rounds_.back()))
                              .arg(rounds_.size()));
}

void BankrollChart::resizeEvent(QResizeEvent* event) {
    picture_ = {};
    QWidget::resizeEvent(event);
}

void BankrollChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) {
        picture_ = {};
        update();
    }
    QWidget::changeEvent(event);
}

bool BankrollChart::DarkBase() const {
    return palette().color(QPalette::Base).lightness() < 128;
}

QRect BankrollChart::Plot() const {
    return rect().adjusted(LeftMargin, TopMargin, -RightMargin, -BottomMargin);
}

std::int64_t BankrollChart::AmountAfter(std::size_t round) const {
    return round == 0 ? starting_ : rounds_[round - 1];
}

QPointF BankrollChart::PointFor(std::size_t round, std::int64_t amount) const {
    const QRect plot = Plot();
    const double x =
        plot.left() + plot.width() * static_cast<double>(round) / static_cast<double>(roundsAxis_);
    const double share =
        static_cast<double>(amount - lowAxis_) / static_cast<double>(highAxis_ - lowAxis_);
    return {x, plot.bottom() - plot.height() * share};
}

void BankrollChart::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (picture_.isNull() || picture_.devicePixelRatio() != ratio) {
        picture_ = QPixmap(size() * ratio);
        picture_.setDevicePixelRatio(ratio);
        QPainter painter(&picture_);
        DrawAll(painter);
        pictured_ = rounds_.size();
    }
    QPainter painter(this);
    painter.drawPixmap(event->rect(), picture_, event->rect());
}

void BankrollChart::DrawAll(QPainter& painter) const {
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
    DrawLine(painter);
}

void BankrollChart::DrawAxes(QPainter& painter) const {
    const QRect plot = Plot();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawRect(plot);
    const QRect amounts(0, plot.top() - 6, LeftMargin - 4, plot.height() + 12);
    painter.drawText(amounts, Qt::AlignRight | Qt::AlignTop, Dollars(highAxis_));
    painter.drawText(amounts, Qt::AlignRight | Qt::AlignBottom, Dollars(lowAxis_));
    const QRect rounds(plot.left(), plot.bottom() + 2, plot.width(), BottomMargin - 2);
    painter.drawText(rounds, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("start"));
    painter.drawText(rounds, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("round %1").arg(roundsAxis_));
}

QPen BankrollChart::LinePen() const {
    return QPen(QColor(DarkBase() ? LineOnDark : LineColour), 2, Qt::SolidLine, Qt::RoundCap);
}

void BankrollChart::DrawStroke(QPainter& painter, std::size_t round) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(LinePen());
    painter.setClipRect(Plot().adjusted(1, 1, 0, 0));
    painter.drawLine(PointFor(round - 1, AmountAfter(round - 1)),
                     PointFor(round, AmountAfter(round)));
}

QRect BankrollChart::StrokeBox(std::size_t round) const {
    return QRectF(PointFor(round - 1, AmountAfter(round - 1)), PointFor(round, AmountAfter(round)))
        .normalized()
        .toAlignedRect()
        .adjusted(-3, -3, 3, 3);
}

void BankrollChart::DrawLine(QPainter& painter) const {
    const std::size_t columns = static_cast<std::size_t>(std::max(1, Plot().width()));
    if (roundsAxis_ <= columns) { // a stroke a round, as they are added
        for (std::size_t round = 1; round <= rounds_.size(); ++round) {
            DrawStroke(painter, round);
        }
        return;
    }
    // More rounds than pixel columns: for each run of `step` rounds, their lowest and highest.
    // The line looks the same and costs as much as a short session's.
    const std::size_t step = (roundsAxis_ + columns - 1) / columns;
    QPainterPath line(PointFor(0, starting_));
    for (std::size_t first = 0; first < rounds_.size(); first += step) {
        const std::size_t last = std::min(rounds_.size(), first + step) - 1;
        const auto [low, high] =
            std::minmax_element(rounds_.begin() + static_cast<std::ptrdiff_t>(first),
                                rounds_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
        line.lineTo(PointFor(last + 1, *low));
        line.lineTo(PointFor(last + 1, *high));
        line.lineTo(PointFor(last + 1, rounds_[last]));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(LinePen());
    painter.drawPath(line);
}

} // namespace corvanta
