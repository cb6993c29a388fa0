#pragma once
// Where gbank.db lives, and the lock that keeps a second copy of the game away from it.
//
// A bank that is already beside the program is used there: a portable copy, or a bank
// brought from elsewhere and put beside the game. Otherwise the bank lives in the player's
// data folder, so that removing a build, a fresh clone or an installed copy never takes the
// accounts with it. Whichever folder is chosen, a lock file beside the bank (gbank.db.lock) is
// held for as long as the game runs: two copies on one bank would undo each other's saves.

#include <string>
#include <string_view>

namespace corvanta {

// The game's id on the desktop: its .desktop entry, icon and AppStream files are named by it.
inline constexpr std::string_view AppId = "org.corvanta.Corvanta";

// The folder the bank is read from and saved to: `programFolder` when a gbank.db is there
// already, and otherwise <dataFolder>/corvanta ($XDG_DATA_HOME/corvanta), created with mode
// 0700 when missing.
std::string ChooseBankFolder(const std::string& programFolder, const std::string& dataFolder);

// <bankFolder>/gbank.db.lock
std::string LockFilePath(std::string_view bankFolder);

// An exclusive flock on the lock file, taken at construction and held until destruction.
// The operating system drops it when the process ends, however it ends, so a game that
// crashed never locks the player out. The file itself is left in place.
class InstanceLock {
public:
    enum class Status {
        Held,       // this object holds the lock
        InUse,      // another copy of the game holds it
        Unavailable // the lock file cannot be opened or locked (Error() says why)
    };

    explicit InstanceLock(const std::string& lockFilePath);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Status GetStatus() const { return status_; }
    int Error() const { return error_; } // errno when Unavailable

private:
    int fd_ = -1;
    Status status_ = Status::Unavailable;
    int error_ = 0;
};

} // namespace corvanta
