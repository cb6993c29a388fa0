#include "storage/InstanceLock.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvanta {
namespace {

using Status = InstanceLock::Status;

TEST(InstanceLock, ASecondCopyIsKeptOutUntilTheFirstDies) {
    test::TempFolder folder;
    const std::string path = folder / "gbank.db.lock";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t first = ::fork();
    if (first == 0) {
        const InstanceLock lock(path);
        const char held = lock.GetStatus() == Status::Held ? 'H' : 'x';
        [[maybe_unused]] const auto written = ::write(ready[1], &held, 1);
        for (;;) {
            ::pause(); // until killed: no orderly exit releases the lock
        }
    }
    ::close(ready[1]);
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(held, 'H');
    EXPECT_EQ(InstanceLock(path).GetStatus(), Status::InUse);
    ::kill(first, SIGKILL);
    ::waitpid(first, nullptr, 0);
    EXPECT_EQ(InstanceLock(path).GetStatus(), Status::Held);
    EXPECT_EQ(test::FileMode(path), 0600u);
    EXPECT_EQ(test::ReadBytes(path), ""); // nothing is ever written to it
}

// Only the player's own regular file is taken: a link planted in its place (in a folder
// others can write) must not make the game create or open a file elsewhere.
TEST(InstanceLock, NothingButThePlayersOwnFileIsTakenAsTheLock) {
    test::TempFolder folder;
    const std::string target = folder / "players-home-file";
    ::symlink(target.c_str(), (folder / "link.lock").c_str());
    ::mkdir((folder / "folder.lock").c_str(), 0700);
    ::mkfifo((folder / "fifo.lock").c_str(), 0600);
    test::WriteBytes(folder / "others.lock", "");
    // Only root can give a file to another user; for anyone else it stays the player's.
    const bool givenAway = ::lchown((folder / "others.lock").c_str(), 1, 1) == 0;
    for (const char* name : {"link.lock", "folder.lock", "fifo.lock", "gone/x", "others.lock"}) {
        const InstanceLock lock(folder / name);
        if (givenAway || std::string_view(name) != "others.lock") {
            EXPECT_EQ(lock.GetStatus(), Status::Unavailable) << name;
            EXPECT_NE(lock.Error(), 0) << name;
        }
    }
    EXPECT_EQ(test::ReadBytes(target), "<missing>"); // the link's target was never created
}

} // namespace
} // namespace corvanta
