#pragma once
// Where gbank.db lives, and the lock that keeps a second copy of the game away from it.
//
// A portable copy keeps its bank beside the program. An installed copy sits in a folder the
// player cannot write, so its bank goes to the per-user data folder instead. Whichever folder
// is chosen, a lock file beside the bank (gbank.db.lock) is held for as long as the game runs:
// two copies on one bank would each save at exit and the last would undo the other's changes.

#include <string>
#include <string_view>

namespace corvanta {

// The game's id on the desktop: its .desktop entry, icon and AppStream files are named by it.
inline constexpr std::string_view AppId = "org.corvanta.Corvanta";

// True for a copy installed under a prefix (the package's /usr/bin, or `cmake --install`
// into ~/.local/bin): the installation put its AppStream file at
// <programFolder>/../share/metainfo/<AppId>.metainfo.xml.
bool IsInstalledCopy(const std::string& programFolder);

// The folder the bank is read from and saved to: `programFolder` for a copy that is not
// installed and whose folder can take new files (a save replaces gbank.db by a rename, so the
// folder itself must be writable), and otherwise <dataFolder>/corvanta, created with mode 0700
// when missing. An installed copy never writes beside the program, even where it could (root,
// or a prefix of the player's own).
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
