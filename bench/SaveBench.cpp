// The draw with its save point: the second Deal of a round, settled, counted in the account
// and saved with the settings through the save journal, on the disk this runs from. Each
// repetition is one draw; the median and the worst of 100 are what a player can feel.
#include "engine/basPoker.h"
#include "game/GameSession.h"

#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace corvanta {
namespace {

void BM_DrawWithSave(benchmark::State& state) {
    static const test::TempFolder folder; // one game over every repetition
    static TimeSeededRandom random;
    static GameSession game({folder.Path(), folder.Path()}, random);
    static const bool started = (game.StartUp(), true);
    (void)started;
    for (auto _ : state) {
        state.PauseTiming();
        if (game.GetTable().CashOnHand < MinimumBet) {
            game.TakeLoan();
        }
        game.Bet("5");
        game.Deal();
        state.ResumeTiming();
        benchmark::DoNotOptimize(game.Deal());
    }
}
BENCHMARK(BM_DrawWithSave)
    ->Iterations(1)
    ->Repetitions(100)
    ->Unit(benchmark::kMillisecond)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("worst", [](const std::vector<double>& times) {
        return *std::max_element(times.begin(), times.end());
    });

} // namespace
} // namespace corvanta
