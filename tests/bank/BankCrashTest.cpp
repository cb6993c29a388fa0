// A save killed at any instant leaves gbank.db whole: the old bank or the new one, byte for
// byte. A child process saves two banks of different sizes in turn, as fast as it can; the
// test kills it with SIGKILL after a scripted delay, hundreds of times, and looks at the file.
#include "bank/BankFile.h"

#include "support/SavedFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <csignal>
#include <iostream>
#include <random>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvanta {
namespace {

constexpr int Kills = 250;

Bank BankOf(int accounts) {
    Bank bank;
    bank.AccountCount = static_cast<std::int16_t>(accounts);
    for (int n = 1; n <= accounts; ++n) {
        AssignText(bank.AccountTable[n].Name, "Player " + std::to_string(n));
        bank.AccountTable[n].Savings = 1000 + n;
    }
    return bank;
}

TEST(BankCrash, AKilledSaveLeavesTheWholeOldOrTheWholeNewBank) {
    const Bank start = BankOf(1);                  // on disk before each child
    const Bank banks[2] = {BankOf(3), BankOf(57)}; // saved in turn
    const std::string bytes[3] = {BankBytes(start), BankBytes(banks[0]), BankBytes(banks[1])};
    ASSERT_EQ(bytes[2].size(), 2622u);

    // The saves the child has finished, for the parent to read after the kill.
    void* shared = ::mmap(nullptr, sizeof(std::atomic<long>), PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    auto* finished = new (shared) std::atomic<long>(0);
    // In memory, a save takes some ten microseconds: the kills land in every step of one.
    const test::TempFolder folder(test::TempFolder::Place::Memory);
    // Delays spread evenly on a log scale from 20 microseconds to 5 milliseconds: some kills
    // land before the first save has begun, most inside one of the first few hundred saves.
    std::mt19937 script(20240612);
    std::uniform_real_distribution<double> logDelay(std::log(20.0), std::log(5'000.0));
    int newBank = 0;
    int leftBehind = 0;
    long saves = 0;
    for (int kill = 1; kill <= Kills; ++kill) {
        ASSERT_TRUE(SaveBank(start, folder.Path()).ok);
        finished->store(0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (long n = 1;; ++n) {
                if (!SaveBank(banks[(n - 1) % 2], folder.Path()).ok) {
                    ::_exit(1);
                }
                finished->store(n);
            }
        }
        ::usleep(static_cast<useconds_t>(std::exp(logDelay(script))));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "a save failed before kill " << kill;

        // Save n writes banks[(n - 1) % 2]; the one after the last finished may have been
        // renamed into place before the child could count it.
        const long n = finished->load();
        const std::string& before = n == 0 ? bytes[0] : bytes[1 + (n - 1) % 2];
        const std::string& after = bytes[1 + n % 2];
        const std::string onDisk = test::ReadBytes(BankFilePath(folder.Path()));
        ASSERT_TRUE(onDisk == before || onDisk == after)
            << "kill " << kill << " after " << n << " saves left " << onDisk.size()
            << " bytes that are neither the old nor the new bank";
        newBank += onDisk == after ? 1 : 0;
        saves += n;
        // A killed save can leave its own temporary file, never more.
        const int temporaries = static_cast<int>(test::FolderEntries(folder.Path()).size()) - 1;
        ASSERT_LE(temporaries, leftBehind + 1) << "kill " << kill;
        leftBehind = temporaries;
    }
    std::cout << Kills << " kills after " << saves << " saves: " << Kills - newBank
              << " old banks, " << newBank << " new ones, " << leftBehind
              << " temporary files left\n";
    ::munmap(shared, sizeof(std::atomic<long>));
}

} // namespace
} // namespace corvanta
