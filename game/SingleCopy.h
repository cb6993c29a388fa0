#pragma once
// One copy of the game at a time on one bank and one settings file. Two copies would each
// save over the other; two portable copies from different folders would share the settings
// file, and with it one cash on hand, so that money would appear.

#include "game/GameSession.h"
#include "storage/InstanceLock.h"

#include <string>

namespace corvanta {

// Takes the lock beside the bank and the lock beside the settings file (making their folders
// first, private to the player), and holds both while it lives.
class SingleCopy {
public:
    explicit SingleCopy(const GameFolders& folders);

    // Another copy holds one of the locks: this one must say so and end without reading or
    // writing the bank or the settings.
    bool AnotherCopyRuns() const;
    // A lock that could not be taken at all (a link or another user's file in its place, a
    // folder that cannot be written): the lock file and why, or Ok when both are held. Then
    // nothing tells whether another copy runs, and the game must write nothing (see
    // GameFolders::lockProblem).
    SaveResult LockProblem() const;

private:
    static const GameFolders& MakeFolders(const GameFolders& folders);

    std::string bankLockPath_;
    std::string settingsLockPath_;
    InstanceLock bankLock_;
    InstanceLock settingsLock_;
};

inline constexpr std::string_view AlreadyRunningTitle = "Corvanta";
inline constexpr std::string_view AlreadyRunningMessage = "Corvanta is already running.";

} // namespace corvanta
