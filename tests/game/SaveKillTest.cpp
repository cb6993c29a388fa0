// A game killed at any instant, even in the middle of a save, starts again with its bank and
// its settings from one and the same moment. Deposits and withdrawals move money between the
// two files (the cash on hand is in the settings, the savings in the bank); a child process
// plays them as fast as it can, the test kills it with SIGKILL after a random delay a thousand
// times, starts the game again each time, and counts the money.
#include "game/GameSession.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <iostream>
#include <random>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvanta {
namespace {

constexpr int Kills = 1000;
constexpr std::int32_t Total = 200; // the cash and savings of a first run

// `saves` counts the child's finished saves, from -1 while it starts.
[[noreturn]] void PlayUntilKilled(const GameFolders& folders, std::atomic<long>& saves) {
    TimeSeededRandom random;
    GameSession game(folders, random);
    game.StartUp();
    saves.store(0);
    for (;;) {
        const bool deposit = game.GetTable().CashOnHand >= 40;
        const TransferOutcome moved =
            deposit ? game.Deposit("37") : game.Withdraw("37", AmountSource::BankBox);
        if (moved.status != TransferStatus::Moved || !game.TakeNotices().empty()) {
            ::_exit(1);
        }
        saves.fetch_add(1);
    }
}

TEST(SaveKill, CashAndSavingsAlwaysAddUpAfterAKill) {
    const test::TempFolder folder(test::TempFolder::Place::Memory);
    const GameFolders folders{folder.Path(), folder.Path()};
    void* shared = ::mmap(nullptr, sizeof(std::atomic<long>), PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    auto* saves = new (shared) std::atomic<long>(0);
    std::mt19937 script(20261206);
    std::uniform_int_distribution<int> delayMicroseconds(0, 3000);
    long finished = 0;
    for (int kill = 1; kill <= Kills; ++kill) {
        saves->store(-1);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            PlayUntilKilled(folders, *saves);
        }
        while (saves->load() < 0) {
            ::usleep(50); // the kills land in the saves, not in the start-up
        }
        ::usleep(static_cast<useconds_t>(delayMicroseconds(script)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the playing child stopped by itself at kill " << kill;
        finished += saves->load();

        TimeSeededRandom random;
        GameSession restarted(folders, random);
        restarted.StartUp();
        ASSERT_EQ(restarted.TakeNotices(), std::vector<Notice>{}) << "kill " << kill;
        const std::int32_t cash = restarted.GetTable().CashOnHand;
        const std::int32_t savings = CurrentAccount(restarted.GetBank()).Savings;
        ASSERT_EQ(cash + savings, Total)
            << "kill " << kill << ": cash $" << cash << ", savings $" << savings;
        ASSERT_EQ(restarted.GetBank().AccountCount, 1);
    }
    std::cout << Kills << " kills after " << finished
              << " finished saves; the money always added up\n";
    ::munmap(shared, sizeof(std::atomic<long>));
}

} // namespace
} // namespace corvanta
