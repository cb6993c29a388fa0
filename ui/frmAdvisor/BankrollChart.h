#pragma once
// The session's bankroll (the cash on hand and the current account's savings) after each
// round, drawn as a line over the amount the session started with, in the colours of the
// window's palette: its base behind, its text for the amounts, and a green line and an orange
// starting line light enough for a dark base or dark enough for a light one.

#include <QPainterPath>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace corvanta {

class BankrollChart : public QWidget {
    Q_OBJECT
public:
    explicit BankrollChart(QWidget* parent = nullptr);

    // A session starting from `starting`, and a round's bankroll added to it.
    void Start(std::int64_t starting);
    void Add(std::int64_t afterRound);
    std::size_t Rounds() const { return rounds_.size(); }
    // Both at once.
    void Show(std::int64_t starting, const std::vector<std::int64_t>& afterEachRound);

    // The plot inside the widget: the margins leave room for the amounts and the rounds.
    static constexpr int LeftMargin = 56;
    static constexpr int RightMargin = 12;
    static constexpr int TopMargin = 10;
    static constexpr int BottomMargin = 20;
    // The line and the starting line on a light base, and on a dark one.
    static constexpr QRgb LineColour = qRgb(0, 110, 0);
    static constexpr QRgb StartColour = qRgb(200, 120, 0);
    static constexpr QRgb LineOnDark = qRgb(90, 210, 90);
    static constexpr QRgb StartOnDark = qRgb(255, 170, 50);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect Plot() const;
    // Where an amount after `round` rounds (0: the start) stands on the plot.
    QPointF PointFor(int round, std::int64_t amount) const;
    void DrawAxes(QPainter& painter) const;
    QPainterPath Line() const;
    bool DarkBase() const;
    void Described();

    std::int64_t starting_ = 0;
    std::vector<std::int64_t> rounds_;
    std::int64_t lowest_ = 0; // of the starting amount and every round
    std::int64_t highest_ = 0;
};

} // namespace corvanta
