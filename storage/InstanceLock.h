#pragma once
// A lock file that keeps a second copy of the game away from the files the first one uses:
// two copies on one bank or one settings file would each save, and the last would undo the
// other's changes (and could make money appear).

#include <string>

namespace corvanta {

// An exclusive flock on the lock file, taken at construction and held until destruction.
// The operating system drops it when the process ends, however it ends, so a game that
// crashed never locks the player out. The file itself is left in place.
//
// The file is opened without following a symbolic link and is used only when it is a regular
// file of the player's own: in a folder others could write, a link planted in its place would
// otherwise make the game create a file wherever the player can write.
class InstanceLock {
public:
    enum class Status {
        Held,       // this object holds the lock
        InUse,      // another copy of the game holds it
        Unavailable // the lock file cannot be opened, is not the player's, or cannot be locked
    };

    explicit InstanceLock(const std::string& lockFilePath);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Status GetStatus() const { return status_; }
    int Error() const { return error_; } // errno, NotARegularFile or NotPlayersOwn when Unavailable

private:
    int fd_ = -1;
    Status status_ = Status::Unavailable;
    int error_ = 0;
};

} // namespace corvanta
