#pragma once
// The session's bankroll (the cash on hand and the current account's savings) after each
// round, drawn as a line over the amount the session started with, in the colours of the
// window's palette: its base behind, its text for the amounts, and a green line and an orange
// starting line light enough for a dark base or dark enough for a light one.
//
// Its axes grow by steps: the rounds run to the next of 10, 20, 50, 100, 200, … and the
// amounts span round figures with room above and below. A new round within them adds one
// stroke to the picture already drawn and paints only that stroke's place; the whole chart is
// drawn again only when an axis grows, which a long session does a few times.

#include <QPixmap>
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
    // Both at once, the axes grown as they would have grown round by round.
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
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRect Plot() const;
    // Where an amount after `round` rounds (0: the start) stands on the plot.
    QPointF PointFor(std::size_t round, std::int64_t amount) const;
    std::int64_t AmountAfter(std::size_t round) const;
    // The axes that hold every amount and round so far; false when they already did.
    bool FitAxes();
    void DrawAll(QPainter& painter) const;
    void DrawAxes(QPainter& painter) const;
    void DrawLine(QPainter& painter) const;
    // The stroke from the round before `round` to it, and the place it paints.
    void DrawStroke(QPainter& painter, std::size_t round) const;
    QRect StrokeBox(std::size_t round) const;
    QPen LinePen() const;
    bool DarkBase() const;
    void Described();

    std::int64_t starting_ = 0;
    std::vector<std::int64_t> rounds_;
    std::int64_t lowest_ = 0; // of the starting amount and every round
    std::int64_t highest_ = 0;
    std::size_t roundsAxis_ = 10; // the rounds the plot's width stands for
    std::int64_t lowAxis_ = 0;    // the amounts at the plot's bottom and top
    std::int64_t highAxis_ = 0;
    QPixmap picture_;          // the chart as last drawn, at the screen's pixel ratio
    std::size_t pictured_ = 0; // the rounds `picture_` shows; none when it is null
};

// The smallest of 1, 2 and 5 times a power of ten that is at least `at least`.
std::int64_t RoundFigure(double atLeast);

} // namespace corvanta
