// A game killed at any instant, even in the middle of a save, starts again with its bank and
// its settings from one and the same moment, and that moment is its last save point: the
// command that finished last, or the one the kill cut short. Deposits and withdrawals move
// money between the two files (the cash on hand is in the settings, the savings in the bank);
// a child process plays them as fast as it can, the test kills it with SIGKILL after a random
// delay, starts the game again each time, and counts the money. Once with the saves as fast
// as the disk goes, once with each save of the saving thread held back, so that the kills land
// while save points wait for the disk.
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

constexpr std::int32_t Total = 200; // the cash and savings of a first run

// What the child tells the test: its finished saves (-1 while it starts), and the cash on
// hand after the last of them.
struct Played {
    std::atomic<long> saves;
    std::atomic<std::int32_t> cash;
};

// The cash after the next command: a deposit of $37 while there is $40, else a withdrawal.
std::int32_t CashAfterTheNext(std::int32_t cash) {
    return cash >= 40 ? cash - 37 : cash + 37;
}

[[noreturn]] void PlayUntilKilled(const GameFolders& folders, int holdMicroseconds,
                                  Played& played) {
    TimeSeededRandom random;
    GameSession game(folders, random);
    if (holdMicroseconds > 0) {
        game.BeforeEachSave([holdMicroseconds] { ::usleep(holdMicroseconds); });
    }
    game.StartUp();
    played.cash.store(game.GetTable().CashOnHand);
    played.saves.store(0);
    for (;;) {
        const bool deposit = game.GetTable().CashOnHand >= 40;
        const TransferOutcome moved =
            deposit ? game.Deposit("37") : game.Withdraw("37", AmountSource::BankBox);
        if (moved.status != TransferStatus::Moved || !game.TakeNotices().empty()) {
            ::_exit(1);
        }
        played.cash.store(game.GetTable().CashOnHand);
        played.saves.fetch_add(1);
    }
}

void KillAndRestart(int kills, int holdMicroseconds) {
    const test::TempFolder folder(test::TempFolder::Place::Memory);
    const GameFolders folders{folder.Path(), folder.Path()};
    void* shared =
        ::mmap(nullptr, sizeof(Played), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    auto* played = new (shared) Played{};
    std::mt19937 script(20261206);
    std::uniform_int_distribution<int> delayMicroseconds(0, 3000);
    long finished = 0;
    for (int kill = 1; kill <= kills; ++kill) {
        played->saves.store(-1);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            PlayUntilKilled(folders, holdMicroseconds, *played);
        }
        while (played->saves.load() < 0) {
            ::usleep(50); // the kills land in the saves, not in the start-up
        }
        ::usleep(static_cast<useconds_t>(delayMicroseconds(script)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the playing child stopped by itself at kill " << kill;
        finished += played->saves.load();
        const std::int32_t last = played->cash.load();

        TimeSeededRandom random;
        GameSession restarted(folders, random);
        restarted.StartUp();
        ASSERT_EQ(restarted.TakeNotices(), std::vector<Notice>{}) << "kill " << kill;
        const std::int32_t cash = restarted.GetTable().CashOnHand;
        const std::int32_t savings = CurrentAccount(restarted.GetBank()).Savings;
        ASSERT_EQ(cash + savings, Total)
            << "kill " << kill << ": cash $" << cash << ", savings $" << savings;
        ASSERT_TRUE(cash == last || cash == CashAfterTheNext(last))
            << "kill " << kill << ": cash $" << cash << " after a last save point of $" << last;
        ASSERT_EQ(restarted.GetBank().AccountCount, 1);
    }
    std::cout << kills << " kills after " << finished
              << " finished saves; each start found the last save point\n";
    ::munmap(shared, sizeof(Played));
}

TEST(SaveKill, TheNextStartFindsTheLastSavePointWholeAfterAKill) {
    struct Row {
        const char* name;
        int kills;
        int holdMicroseconds; // before each save of the saving thread
    };
    const Row rows[] = {{"saves as fast as the disk goes", 1000, 0},
                        {"saves held back, save points waiting for them", 400, 2000}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        KillAndRestart(row.kills, row.holdMicroseconds);
    }
}

} // namespace
} // namespace corvanta
