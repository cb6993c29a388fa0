#include "game/SingleCopy.h"

#include "bank/BankFolder.h"
#include "settings/basRegistry.h"
#include "storage/Folders.h"

namespace corvanta {

const GameFolders& SingleCopy::MakeFolders(const GameFolders& folders) {
    CreateFolders(folders.bank); // a failure is said at the start-up, with its reason
    CreateFolders(FolderOf(SettingsFilePath(folders.config)));
    return folders;
}

SingleCopy::SingleCopy(const GameFolders& folders)
    : bankLockPath_(LockFilePath(MakeFolders(folders).bank)),
      settingsLockPath_(SettingsFilePath(folders.config) + ".lock"), bankLock_(bankLockPath_),
      settingsLock_(settingsLockPath_) {}

bool SingleCopy::AnotherCopyRuns() const {
    return bankLock_.GetStatus() == InstanceLock::Status::InUse ||
           settingsLock_.GetStatus() == InstanceLock::Status::InUse;
}

SaveResult SingleCopy::LockProblem() const {
    if (bankLock_.GetStatus() == InstanceLock::Status::Unavailable) {
        return SaveResult::Failure(bankLockPath_, bankLock_.Error());
    }
    if (settingsLock_.GetStatus() == InstanceLock::Status::Unavailable) {
        return SaveResult::Failure(settingsLockPath_, settingsLock_.Error());
    }
    return {};
}

} // namespace corvanta
