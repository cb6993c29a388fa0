#include "storage/InstanceLock.h"

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
using test::ReadBytes;
using test::TempFolder;

TEST(InstanceLock, ASecondCopyIsKeptOutUntilTheFirstDies) {
    TempFolder folder;
    const std::string path = folder / "gbank.db.lock";
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
    EXPECT_EQ(InstanceLock(path).GetStatus(), InstanceLock::Status::InUse);
    ::kill(first, SIGKILL);
    ::waitpid(first, nullptr, 0);
    EXPECT_EQ(InstanceLock(path).GetStatus(), InstanceLock::Status::Held);
    EXPECT_EQ(FileMode(path), 0600u);
    EXPECT_EQ(ReadBytes(path), ""); // nothing is ever written to it
}

// A lock file is only ever the player's own regular file: a link planted in its place (in a
// folder others can write) must not make the game create or open a file elsewhere.
TEST(InstanceLock, NothingButThePlayersOwnFileIsTakenAsTheLock) {
    TempFolder folder;
    const std::string target = folder / "players-home-file";
    ::symlink(target.c_str(), (folder / "link.lock").c_str());
    ::mkdir((folder / "folder.lock").c_str(), 0700);
    ::mkfifo((folder / "fifo.lock").c_str(), 0600);
    test::WriteBytes(folder / "others.lock", "");
    const bool root = ::geteuid() == 0;
    if (root) {
        ::chown((folder / "others.lock").c_str(), 1, 1);
    }
    for (const char* name :
         {"link.lock", "folder.lock", "fifo.lock", "others.lock", "gone/x.lock"}) {
        if (!root && std::string_view(name) == "others.lock") {
            continue; // only root can give a file to another user
        }
        const InstanceLock lock(folder / name);
        EXPECT_EQ(lock.GetStatus(), InstanceLock::Status::Unavailable) << name;
        EXPECT_NE(lock.Error(), 0) << name;
    }
    EXPECT_EQ(ReadBytes(target), "<missing>"); // the link's target was never created
}

} // namespace
} // namespace corvanta
