// The draw with its save point: the second Deal of a round, settled, counted in the account
// and saved with the settings through the save journal, on the disk this runs from. Each
// repetition is one draw; the median and the worst of 100 are what a player can feel. Once
// with the disk otherwise idle (/0), once with a thread writing and flushing a large file in
// the same folder all the while (/1), as a backup or a download would.
#include "engine/basPoker.h"
#include "game/GameSession.h"

#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace corvanta {
namespace {

// Writes 8 MiB to a file of `folder` and flushes it, over and over, until it goes.
class BusyDisk {
public:
    explicit BusyDisk(const std::string& folder) : thread_([this, folder] { Run(folder); }) {}
    ~BusyDisk() {
        stop_ = true;
        thread_.join();
    }

private:
    void Run(const std::string& folder) {
        const std::string path = folder + "/load";
        const std::string chunk(1 << 20, 'x');
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        while (fd >= 0 && !stop_) {
            for (int i = 0; i < 8; ++i) {
                if (::pwrite(fd, chunk.data(), chunk.size(), off_t{i} << 20) < 0) {
                    break;
                }
            }
            ::fdatasync(fd);
        }
        if (fd >= 0) {
            ::close(fd);
        }
        ::unlink(path.c_str());
    }

    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

void BM_DrawWithSave(benchmark::State& state) {
    static const test::TempFolder folder; // one game over every repetition
    static TimeSeededRandom random;
    static GameSession game({folder.Path(), folder.Path()}, random);
    static const bool started = (game.StartUp(), true);
    (void)started;
    if (state.range(0) == 1) {
        static const BusyDisk load(folder.Path()); // from the first busy repetition on
    }
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
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Repetitions(100)
    ->Unit(benchmark::kMillisecond)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("worst", [](const std::vector<double>& times) {
        return *std::max_element(times.begin(), times.end());
    });

} // namespace
} // namespace corvanta
