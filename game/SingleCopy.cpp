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
    : bankLock_(LockFilePath(MakeFolders(folders).bank)),
      settingsLock_(SettingsFilePath(folders.config) + ".lock") {}

bool SingleCopy::AnotherCopyRuns() const {
    return bankLock_.GetStatus() == InstanceLock::Status::InUse ||
           settingsLock_.GetStatus() == InstanceLock::Status::InUse;
}

} // namespace corvanta
