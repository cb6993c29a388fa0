#include "bank/BankFolder.h"

#include "bank/BankFile.h"
#include "storage/Folders.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvanta {
namespace {

using test::FileMode;
using test::FolderEntries;
using test::ReadBytes;
using test::TempFolder;

using Names = std::vector<std::string>;

TEST(BankFolder, ABankBesideTheProgramIsUsedThereAndOtherwiseTheDataFolder) {
    TempFolder folder;
    ::mkdir((folder / "portable").c_str(), 0755);
    ::mkdir((folder / "build").c_str(), 0755);
    test::WriteBytes(folder / "portable/gbank.db", "");
    const std::string data = folder / "share";
    EXPECT_EQ(ChooseBankFolder(folder / "portable", data), folder / "portable");
    EXPECT_EQ(FolderEntries(folder.Path()), (Names{"build", "portable"})); // no data folder made
    EXPECT_EQ(ChooseBankFolder(folder / "build", data), data + "/corvanta");
    EXPECT_EQ(FolderEntries(folder / "build"), Names{});
    EXPECT_EQ(FileMode(data + "/corvanta"), 0700u);
}

TEST(BankFolder, AnInstalledCopyKeepsItsBankInThePlayersDataFolder) {
    // The program folder is read-only to the player (the child runs as "nobody" when the tests
    // run as root), and the data folder does not exist yet.
    TempFolder folder;
    ::mkdir((folder / "usr").c_str(), 0755);
    ::mkdir((folder / "usr/bin").c_str(), 0755);
    ::mkdir((folder / "home").c_str(), 0755);
    const std::string program = folder / "usr/bin";
    const std::string data = folder / "home/.local/share";
    const std::string report = test::InChildProcess(folder, [&] {
        ::chmod(program.c_str(), 0555);
        const std::string chosen = ChooseBankFolder(program, data);
        Bank bank;
        LoadBank(bank, chosen);
        const bool saved = SaveBank(bank, chosen).Ok;
        return chosen + (saved ? "|saved" : "|not saved");
    });
    EXPECT_EQ(report, data + "/corvanta|saved");
    EXPECT_EQ(FolderEntries(program), Names{});
    EXPECT_EQ(ReadBytes(data + "/corvanta/gbank.db").size(), 46u); // the Default account
}

TEST(InstanceLock, LockFileSitsBesideTheBank) {
    EXPECT_EQ(LockFilePath("/games/poker"), "/games/poker/gbank.db.lock");
}

TEST(InstanceLock, SecondCopyInAnotherProcessIsKeptOutUntilTheFirstDies) {
    TempFolder folder;
    const std::string path = LockFilePath(folder.Path());
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t first = ::fork();
    if (first == 0) {
        const InstanceLock lock(path);
        const char status = lock.GetStatus() == InstanceLock::Status::Held ? 'H' : 'x';
        [[maybe_unused]] const auto written = ::write(ready[1], &status, 1);
        for (;;) {
            ::pause(); // until killed: no orderly exit releases the lock
        }
    }
    ::close(ready[1]);
    char status = 0;
    ASSERT_EQ(::read(ready[0], &status, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(status, 'H');
    {
        const InstanceLock second(path);
        EXPECT_EQ(second.GetStatus(), InstanceLock::Status::InUse);
    }
    ::kill(first, SIGKILL);
    ::waitpid(first, nullptr, 0);
    const InstanceLock afterCrash(path);
    EXPECT_EQ(afterCrash.GetStatus(), InstanceLock::Status::Held);
    EXPECT_EQ(FileMode(path), 0600u);
    EXPECT_EQ(ReadBytes(path), ""); // nothing is ever written to it
}

TEST(InstanceLock, ReleasedWhenItsHolderEnds) {
    TempFolder folder;
    const std::string path = LockFilePath(folder.Path());
    {
        // flock belongs to the open file, so a second open in one process is kept out too.
        const InstanceLock first(path);
        const InstanceLock second(path);
        EXPECT_EQ(first.GetStatus(), InstanceLock::Status::Held);
        EXPECT_EQ(second.GetStatus(), InstanceLock::Status::InUse);
    }
    const InstanceLock again(path);
    EXPECT_EQ(again.GetStatus(), InstanceLock::Status::Held);
}

TEST(InstanceLock, MissingFolderMakesTheLockUnavailable) {
    TempFolder folder;
    const InstanceLock lock(LockFilePath(folder / "gone"));
    EXPECT_EQ(lock.GetStatus(), InstanceLock::Status::Unavailable);
    EXPECT_EQ(lock.Error(), ENOENT);
}

} // namespace
} // namespace corvanta
