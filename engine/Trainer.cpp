#include "engine/Trainer.h"

#include "engine/Game.h"

#include <algorithm>
#include <numeric>

namespace corvanta {
namespace {

Mistake MistakeOf(const MarksReview& review) {
    if (review.matchedBest) {
        return Mistake::None;
    }
    return review.MultipleGivenUp() < LargeMistakeFrom ? Mistake::Small : Mistake::Large;
}

} // namespace

DrawAdvice AdviseDraw(const FiveCards& hand, const DiscardMarks& discards) {
    return AdviseDraw(Classic, hand, discards);
}

DrawAdvice AdviseDraw(const Game& game, const FiveCards& hand, const DiscardMarks& discards) {
    const HoldRanking ranking = RankHolds(game, hand);
    DrawAdvice advice;
    advice.review = ReviewMarks(ranking, discards);
    advice.bestHold = ranking.front().kept;
    advice.mistake = MistakeOf(advice.review);
    return advice;
}

const TrainedRound& TrainingSession::Record(const FiveCards& dealt, const DiscardMarks& discards,
                                            std::int32_t bet, std::int64_t bankrollAfter) {
    return Record(Classic, dealt, discards, bet, bankrollAfter);
}

const TrainedRound& TrainingSession::Record(const Game& game, const FiveCards& dealt,
                                            const DiscardMarks& discards, std::int32_t bet,
                                            std::int64_t bankrollAfter) {
    const DrawAdvice advice = AdviseDraw(game, dealt, discards);
    return rounds_.emplace_back(TrainedRound{.game = &game,
                                             .dealt = dealt,
                                             .discards = discards,
                                             .bestHold = advice.bestHold,
                                             .bet = bet,
                                             .multipleGivenUp = advice.review.MultipleGivenUp(),
                                             .mistake = advice.mistake,
                                             .bankrollAfter = bankrollAfter});
}

double TrainingSession::Accuracy() const {
    return rounds_.empty() ? 0.0 : static_cast<double>(RoundsMatchingBest()) / RoundsAdvised();
}

double TrainingSession::DollarsGivenUp() const {
    return std::accumulate(
        rounds_.begin(), rounds_.end(), 0.0,
        [](double sum, const TrainedRound& round) { return sum + round.DollarsGivenUp(); });
}

int TrainingSession::Count(Mistake mistake) const {
    return static_cast<int>(
        std::count_if(rounds_.begin(), rounds_.end(),
                      [&](const TrainedRound& r) { return r.mistake == mistake; }));
}

} // namespace corvanta
