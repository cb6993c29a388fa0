#pragma once
// The session's bankroll (the cash on hand and the current account's savings) after each
// round, drawn as a line over the amount the session started with.

#include <QWidget>

#include <cstdint>
#include <vector>

namespace corvanta {

class BankrollChart : public QWidget {
    Q_OBJECT
public:
    explicit BankrollChart(QWidget* parent = nullptr);

    void Show(std::int64_t starting, std::vector<std::int64_t> afterEachRound);

    // The plot inside the widget: the margins leave room for the amounts and the rounds.
    static constexpr int LeftMargin = 56;
    static constexpr int RightMargin = 12;
    static constexpr int TopMargin = 10;
    static constexpr int BottomMargin = 20;
    static constexpr QRgb LineColour = qRgb(0, 110, 0);
    static constexpr QRgb StartColour = qRgb(200, 120, 0);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect Plot() const;
    // Where an amount after `round` rounds (0: the start) stands on the plot.
    QPointF PointFor(int round, std::int64_t amount) const;
    void DrawAxes(QPainter& painter) const;

    std::int64_t starting_ = 0;
    std::vector<std::int64_t> rounds_;
    std::int64_t lowest_ = 0;
    std::int64_t highest_ = 0;
};

} // namespace corvanta
