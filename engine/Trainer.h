#pragma once
// The trainer: the player's discards judged against the best hold before the draw, and the
// session graded round by round. Nothing of it is saved.

#include "engine/Advisor.h"
#include "engine/Game.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace corvanta {

// The title of the trainer's question before a costly draw.
inline constexpr std::string_view TrainerTitle = "Corvanta - Trainer";

// Giving up less than this per dollar bet is a small mistake; this or more, a large one.
inline constexpr double LargeMistakeFrom = 0.05;

enum class Mistake { None, Small, Large };

// The marks about to be drawn with, against the best hold of the same hand. A hold that
// returns exactly as much as the best is no mistake.
struct DrawAdvice {
    MarksReview review;
    HoldMask bestHold = AllKept; // the best hold as RankHolds lists it first
    Mistake mistake = Mistake::None;
};
DrawAdvice AdviseDraw(const FiveCards& hand, const DiscardMarks& discards);
// The same in a game, by its advisor.
DrawAdvice AdviseDraw(const Game& game, const FiveCards& hand, const DiscardMarks& discards);

// One round of the session.
struct TrainedRound {
    const Game* game = &Classic; // the game the round was played in
    FiveCards dealt{};
    DiscardMarks discards{};
    HoldMask bestHold = AllKept;
    std::int32_t bet = 0;
    double multipleGivenUp = 0; // per dollar bet, against the best hold
    Mistake mistake = Mistake::None;
    std::int64_t bankrollAfter = 0; // the cash on hand and the current account's savings

    double DollarsGivenUp() const { return bet * multipleGivenUp; }
};

class TrainingSession {
public:
    // The bankroll the session starts from: the chart's starting line.
    void Start(std::int64_t bankroll) { startingBankroll_ = bankroll; }

    // A round drawn with `discards` on the hand as dealt.
    const TrainedRound& Record(const FiveCards& dealt, const DiscardMarks& discards,
                               std::int32_t bet, std::int64_t bankrollAfter);
    // The same for a round of a game.
    const TrainedRound& Record(const Game& game, const FiveCards& dealt,
                               const DiscardMarks& discards, std::int32_t bet,
                               std::int64_t bankrollAfter);

    const std::vector<TrainedRound>& Rounds() const { return rounds_; } // oldest first
    std::int64_t StartingBankroll() const { return startingBankroll_; }
    int RoundsAdvised() const { return static_cast<int>(rounds_.size()); }
    int RoundsMatchingBest() const { return Count(Mistake::None); }
    int SmallMistakes() const { return Count(Mistake::Small); }
    int LargeMistakes() const { return Count(Mistake::Large); }
    // The share of rounds whose discards were a best hold; 0 before any round.
    double Accuracy() const;
    double DollarsGivenUp() const;

private:
    int Count(Mistake mistake) const;

    std::int64_t startingBankroll_ = 0;
    std::vector<TrainedRound> rounds_;
};

} // namespace corvanta
