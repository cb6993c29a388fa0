// A save killed at any instant leaves gbank.db whole: the old bank or the new one, byte for
// byte. A child process saves two banks of different sizes in turn, as fast as it can; the
// test kills it with SIGKILL after a scripted delay, hundreds of times, and looks at the file.
#include "bank/BankFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <iostream>
#include <random>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvanta {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::TempFolder;

constexpr int Kills = 400;

Bank BankOf(int accounts, std::int32_t savings) {
    Bank bank;
    bank.AccountCount = static_cast<std::int16_t>(accounts);
    for (int n = 1; n <= accounts; ++n) {
        AssignText(bank.AccountTable[n].Name, "Player " + std::to_string(n));
        bank.AccountTable[n].Savings = savings + n;
        bank.AccountTable[n].RoundsPlayed = static_cast<std::int16_t>(n);
    }
    return bank;
}

// The bytes SaveBank writes for the bank.
std::string BytesOf(const Bank& bank) {
    TempFolder folder;
    EXPECT_TRUE(SaveBank(bank, folder.Path()).Ok);
    return ReadBytes(BankFilePath(folder.Path()));
}

// Temporary files of the bank's replacement in the folder.
int TemporaryFiles(const std::string& folder) {
    int count = 0;
    for (const std::string& name : FolderEntries(folder)) {
        if (name != "gbank.db") {
            EXPECT_TRUE(name.starts_with("gbank.db.new-") && name.size() == 19) << name;
            ++count;
        }
    }
    return count;
}

TEST(BankCrash, AKilledSaveLeavesTheWholeOldOrTheWholeNewBank) {
    const Bank start = BankOf(1, 100);                       // 46 bytes, on disk before each child
    const Bank banks[2] = {BankOf(3, 5000), BankOf(57, 90)}; // 138 and 2622 bytes, saved in turn
    const std::string startBytes = BytesOf(start);
    const std::string bytes[2] = {BytesOf(banks[0]), BytesOf(banks[1])};
    ASSERT_NE(bytes[0].size(), bytes[1].size());

    // Saves the child has finished, where the parent can read it after the kill.
    void* shared = ::mmap(nullptr, sizeof(std::atomic<long>), PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    auto* finished = new (shared) std::atomic<long>(0);

    TempFolder folder;
    const std::string path = BankFilePath(folder.Path());
    std::mt19937 script(20240612);
    // Delays spread evenly on a log scale from 20 microseconds to 40 milliseconds: some kills
    // land before the first save has begun, most inside one of the first few hundred saves.
    std::uniform_real_distribution<double> logDelay(std::log(20.0), std::log(40'000.0));
    int oldBank = 0;
    int newBank = 0;
    int leftBehind = 0;
    long saves = 0;
    for (int kill = 1; kill <= Kills; ++kill) {
        ASSERT_TRUE(SaveBank(start, folder.Path()).Ok);
        finished->store(0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (long n = 1;; ++n) {
                if (!SaveBank(banks[(n - 1) % 2], folder.Path()).Ok) {
                    ::_exit(1);
                }
                finished->store(n);
            }
        }
        ::usleep(static_cast<useconds_t>(std::exp(logDelay(script))));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saving child ended by itself (a save failed) before kill " << kill;

        // Save n writes banks[(n - 1) % 2]; the one after the last finished may have been
        // renamed into place before the child could count it.
        const long n = finished->load();
        const std::string before = n == 0 ? startBytes : bytes[(n - 1) % 2];
        const std::string after = bytes[n % 2];
        const std::string onDisk = ReadBytes(path);
        ASSERT_TRUE(onDisk == before || onDisk == after)
            << "kill " << kill << " after " << n << " saves left " << onDisk.size()
            << " bytes that are neither the old nor the new bank";
        (onDisk == before ? oldBank : newBank) += 1;
        saves += n;

        // A killed save can leave its own temporary file, never more.
        const int temporaries = TemporaryFiles(folder.Path());
        ASSERT_LE(temporaries, leftBehind + 1) << "kill " << kill;
        leftBehind = temporaries;
    }
    // Once they are old, the next save clears the temporary files the killed saves left.
    for (const std::string& name : FolderEntries(folder.Path())) {
        const timespec anHourAgo{::time(nullptr) - 3600, 0};
        const timespec times[2] = {anHourAgo, anHourAgo};
        ASSERT_EQ(::utimensat(AT_FDCWD, (folder / name).c_str(), times, 0), 0);
    }
    ASSERT_TRUE(SaveBank(start, folder.Path()).Ok);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"gbank.db"});

    std::cout << Kills << " kills after " << saves << " finished saves: " << oldBank
              << " left the old bank, " << newBank << " the new one, " << leftBehind
              << " left a temporary file\n";
    ::munmap(shared, sizeof(std::atomic<long>));
}

} // namespace
} // namespace corvanta
