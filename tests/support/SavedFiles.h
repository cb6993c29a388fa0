#pragma once
// The bank and the settings written alone, as a game of an earlier session left them: for the
// tests, the benchmarks and the fuzz targets. The game itself writes both together, through
// its journal (GameSession), from the same images.

#include "bank/BankFile.h"
#include "settings/Settings.h"
#include "settings/basRegistry.h"
#include "storage/AtomicFile.h"
#include "storage/Folders.h"

#include <string>
#include <string_view>

namespace corvanta {

// gbank.db in the folder, replaced atomically; a bank the game could not read is refused.
inline SaveResult SaveBank(const Bank& bank, std::string_view bankFolder) {
    const std::optional<FileImage> image = BankImage(bank, bankFolder);
    if (!image) {
        return SaveResult::Failure(BankFilePath(bankFolder), bank.loadError);
    }
    return WriteFileAtomically(image->path, image->bytes);
}

// A settings file, its folder made when missing, replaced atomically.
inline SaveResult SaveSettingsFile(const FileImage& image) {
    if (SaveResult folder = CreateFolders(FolderOf(image.path)); !folder.ok) {
        return folder;
    }
    return WriteFileAtomically(image.path, image.bytes);
}

// The game's values stored in the settings file; everything else in it stays as it was.
inline SaveResult SaveSettings(std::string_view configFolder, const StoredSettings& settings) {
    const SettingsFile file = SettingsImage(configFolder, settings);
    return file.result.ok ? SaveSettingsFile(file.image) : file.result;
}

// One value stored in the store's file, as RewriteValues stores it.
inline SaveResult WriteValue(const SettingsStore& store, Hive hive, std::string_view keyPath,
                             std::string_view valueName, const RegistryValue& value) {
    const SettingsStore::Rewrite rewrite =
        store.RewriteValues(hive, keyPath, {{std::string(valueName), value}});
    return rewrite.result.ok ? SaveSettingsFile({store.FilePath(), rewrite.bytes}) : rewrite.result;
}

} // namespace corvanta
