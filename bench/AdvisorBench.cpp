// The hold advisor: all 32 holds of a hand, the tables behind them, the game figures and the
// return table, each beside the computation it replaced (the advisor as first written, in
// the test support) and the brute force over every draw.
#include "engine/Advisor.h"
#include "support/ReferenceAdvisor.h"
#include "support/ScriptedRandom.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace corvanta {
namespace {

// What the advisor window and the trainer need per dealt hand: every hold, ranked. The
// shared table is built before the timing starts.
void BM_RankHolds(benchmark::State& state) {
    const auto hands = test::SeededHands(64, 2024);
    PaybackTable::Shared();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RankHolds(hands[i++ & 63]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RankHolds)->Unit(benchmark::kMicrosecond);

void BM_ReferenceRankHolds(benchmark::State& state) {
    const auto hands = test::SeededHands(64, 2024);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(test::ReferenceRankHolds(hands[i++ & 63]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReferenceRankHolds)->Unit(benchmark::kMicrosecond);

// One hold alone, by the number of discards (kept: the first 5 - discards slots): a lookup
// now, an enumeration of the draws before.
void BM_ExpectedPayback(benchmark::State& state) {
    const auto hands = test::SeededHands(64, 2024);
    const HoldMask kept = AllKept >> state.range(0);
    PaybackTable::Shared();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExpectedPayback(hands[i++ & 63], kept));
    }
}
BENCHMARK(BM_ExpectedPayback)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

void BM_ReferencePayback(benchmark::State& state) {
    const auto hands = test::SeededHands(64, 2024);
    const HoldMask kept = AllKept >> state.range(0);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(test::ReferencePayback(hands[i++ & 63], kept));
    }
}
BENCHMARK(BM_ReferencePayback)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// The payback of every kept value multiset (8568) in both suit cases: what the first
// RankHolds of a run waits for.
void BM_PaybackTable(benchmark::State& state) {
    for (auto _ : state) {
        PaybackTable table;
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_PaybackTable)->Unit(benchmark::kMillisecond);

// The same paybacks, each by enumerating its draws, as the first table was built.
void BM_ReferencePaybackTable(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(test::ReferencePaybackSum());
    }
}
BENCHMARK(BM_ReferencePaybackTable)->Unit(benchmark::kMillisecond);

// Every category's rounds under perfect play and standing pat, the shared table built
// beforehand; the perfect-play return as a counter.
void BM_ReturnTable(benchmark::State& state) {
    PaybackTable::Shared();
    ReturnTable table;
    for (auto _ : state) {
        table = ComputeReturnTable();
        benchmark::DoNotOptimize(table);
    }
    double perfectPlay = 0;
    for (const ReturnRow& row : table.perfectPlay) {
        perfectPlay += row.Contribution();
    }
    state.counters["perfectPlay"] = perfectPlay;
}
BENCHMARK(BM_ReturnTable)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace corvanta
