// The hold advisor: all 32 holds of a hand, the game figures, and the brute force over
// every draw that the fast computation replaces.
#include "engine/Advisor.h"
#include "support/BruteForcePayback.h"
#include "support/ScriptedRandom.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace corvanta {
namespace {

// What the advisor window needs per dealt hand: every hold, ranked.
void BM_RankHolds(benchmark::State& state) {
    const auto hands = testing::SeededHands(64, 2024);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RankHolds(hands[i++ & 63]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RankHolds)->Unit(benchmark::kMicrosecond);

// One hold alone, by the number of discards (kept: the first 5 - discards slots).
void BM_ExpectedPayback(benchmark::State& state) {
    const auto hands = testing::SeededHands(64, 2024);
    const int discards = static_cast<int>(state.range(0));
    const HoldMask kept = AllKept >> discards;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExpectedPayback(hands[i++ & 63], kept));
    }
}
BENCHMARK(BM_ExpectedPayback)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// The same hold of four discards drawn 52^4 times and evaluated one by one.
void BM_BruteForceFourDiscards(benchmark::State& state) {
    const FiveCards hand = testing::SeededHands(1, 1)[0];
    for (auto _ : state) {
        benchmark::DoNotOptimize(testing::BruteForceDrawTotal(hand, 0b00001));
    }
}
BENCHMARK(BM_BruteForceFourDiscards)->Unit(benchmark::kMillisecond);

void BM_PaybackTable(benchmark::State& state) {
    for (auto _ : state) {
        PaybackTable table;
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_PaybackTable)->Unit(benchmark::kMillisecond);

// The expected return of a round under perfect play and when standing pat; the figures
// themselves are reported as counters.
void BM_GameFigures(benchmark::State& state) {
    GameFigures figures;
    for (auto _ : state) {
        figures = ComputeGameFigures();
        benchmark::DoNotOptimize(figures);
    }
    state.counters["perfectPlay"] = figures.PerfectPlay();
    state.counters["standPat"] = figures.StandPat();
}
BENCHMARK(BM_GameFigures)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace corvanta
