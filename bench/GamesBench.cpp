// The one-deck games: all 32 holds of a hand ranked exactly, the tables behind them, and a
// whole game's return table.
#include "engine/Advisor.h"
#include "engine/OneDeckAnalysis.h"
#include "engine/ReturnTable.h"
#include "support/ScriptedRandom.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace corvanta {
namespace {

const Game& GameOf(const benchmark::State& state) {
    return *AllGames()[static_cast<std::size_t>(state.range(0))];
}

// Random deals of five different cards.
std::vector<FiveCards> Deals(std::size_t count) {
    std::vector<FiveCards> deals;
    for (unsigned seed = 1; deals.size() < count; ++seed) {
        const FiveCards hand = test::SeededHands(1, seed)[0];
        FiveCards sorted = hand;
        std::sort(sorted.begin(), sorted.end());
        if (std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end()) {
            deals.push_back(hand);
        }
    }
    return deals;
}

// What the advisor and the trainer need per deal: every hold, ranked, the game's table built
// beforehand. 4096 deals, so that the lookups meet the table as a real game's would.
void BM_GameRankHolds(benchmark::State& state) {
    const Game& game = GameOf(state);
    const auto deals = Deals(4096);
    RankHolds(game, deals[0]);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RankHolds(game, deals[i++ & 4095]));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(game.key));
}
BENCHMARK(BM_GameRankHolds)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// A one-deck game's tables, built once per game: every hand of five cards recognised, counted
// in its sets of four, and summed down to the empty set.
void BM_OneDeckTable(benchmark::State& state) {
    const Game& game = GameOf(state);
    for (auto _ : state) {
        OneDeckTable table(game);
        benchmark::DoNotOptimize(table);
    }
    state.SetLabel(std::string(game.key));
}
BENCHMARK(BM_OneDeckTable)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Iterations(3);

// A whole game's return table under perfect play (its tables built beforehand); the return
// as a counter.
void BM_GameReturnTable(benchmark::State& state) {
    const Game& game = GameOf(state);
    if (game.deck == DeckRule::OneDeck) {
        OneDeckTable::Shared(game);
    }
    GameReturnTable table;
    for (auto _ : state) {
        table = ComputeGameReturnTable(game);
        benchmark::DoNotOptimize(table);
    }
    state.counters["return"] = table.Return(table.perfectPlay).Value();
    state.SetLabel(std::string(game.key));
}
BENCHMARK(BM_GameReturnTable)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace corvanta
