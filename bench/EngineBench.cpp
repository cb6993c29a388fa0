// Classification speed and a whole round through the engine, counted in an account.
#include "bank/Statistics.h"
#include "engine/Round.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace corvanta {
namespace {

struct HandValues {
    Values values;
    Values suits;
};

std::vector<HandValues> RandomHands(std::size_t count) {
    std::mt19937 generator(2024);
    std::uniform_int_distribution<int> card(0, CardCount - 1);
    std::vector<HandValues> hands(count);
    for (auto& hand : hands) {
        for (int i = 0; i < HandSize; ++i) {
            const int c = card(generator);
            hand.values[i] = CardValue(c);
            hand.suits[i] = CardSuit(c);
        }
    }
    return hands;
}

// The literal rules: CheckKinds, CheckFlush and CheckStraight in their order, without the
// settlement.
void BM_Classify(benchmark::State& state) {
    const auto hands = RandomHands(4096);
    std::size_t i = 0;
    for (auto _ : state) {
        const HandValues& hand = hands[i++ & 4095];
        benchmark::DoNotOptimize(Classify(hand.values, hand.suits));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Classify);

// The same hands by the table filled from those rules (filled before the timing starts).
void BM_FastCategory(benchmark::State& state) {
    const auto hands = RandomHands(4096);
    benchmark::DoNotOptimize(FastCategory(hands[0].values, hands[0].suits));
    std::size_t i = 0;
    for (auto _ : state) {
        const HandValues& hand = hands[i++ & 4095];
        benchmark::DoNotOptimize(FastCategory(hand.values, hand.suits));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FastCategory);

// Filling that table from the rules: half of what the advisor's first use waits for.
void BM_CategoryTable(benchmark::State& state) {
    for (auto _ : state) {
        CategoryTable table;
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_CategoryTable)->Unit(benchmark::kMillisecond);

// Bet, deal, mark two cards, draw, evaluate with its trace, settle, count the round.
void BM_ScriptedRound(benchmark::State& state) {
    Table table;
    ResetTable(table);
    AccountRecord account;
    TimeSeededRandom random([] { return std::chrono::microseconds(42); });
    for (auto _ : state) {
        table.CashOnHand = 1000;
        PlaceBet(table, 5);
        DealCommand(table, random);
        ToggleDiscard(table, 1);
        ToggleDiscard(table, 3);
        const DealOutcome draw = DealCommand(table, random);
        RecordRound(account, draw.settlement);
        benchmark::DoNotOptimize(account);
        account = {};
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScriptedRound);

} // namespace
} // namespace corvanta
