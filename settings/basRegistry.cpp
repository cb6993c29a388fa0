#include "settings/basRegistry.h"

#include "settings/RegistryFile.h"
#include "storage/DecimalText.h"
#include "storage/Folders.h"
#include "storage/Text.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace corvanta {
namespace {

std::optional<RegistryFile> ReadFile(const std::string& filePath) {
    const ReadResult read = ReadWholeFile(filePath, MaxSettingsBytes);
    return read.error == 0 ? ParseFile(read.bytes) : std::nullopt;
}

constexpr std::string_view HiveName(Hive hive) {
    return hive == Hive::CurrentUser ? "HKEY_CURRENT_USER" : "";
}

std::string FullKeyPath(Hive hive, std::string_view keyPath) {
    std::string path(HiveName(hive));
    path += '\\';
    path += keyPath;
    return path;
}

// The form a written value takes: numbers and numeric text as REG_DWORD, other text
// trimmed of spaces with one NUL appended.
StoredValue StoredForm(const RegistryValue& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return {REG_DWORD, DwordData(static_cast<std::uint32_t>(*number))};
    }
    const std::string& text = std::get<std::string>(value);
    if (const auto number = ConvertInt32(text)) {
        return {REG_DWORD, DwordData(static_cast<std::uint32_t>(*number))};
    }
    return {REG_SZ, TrimSpaces(text) + '\0'};
}

} // namespace

std::string SettingsFilePath(std::string_view configFolder) {
    std::string path(configFolder);
    path += "/corvanta/settings.reg";
    return path;
}

int SettingsStore::ReadError() const {
    return ReadWholeFile(filePath_, MaxSettingsBytes).error;
}

bool SettingsStore::NotUnderstood(Hive hive, std::string_view keyPath,
                                  const std::vector<std::string_view>& valueNames) const {
    const ReadResult read = ReadWholeFile(filePath_, MaxSettingsBytes);
    if (read.error != 0 || read.bytes.empty()) {
        return false;
    }
    const std::optional<RegistryFile> file = ParseFile(read.bytes);
    if (!file) {
        return true;
    }
    const std::string fullPath = FullKeyPath(hive, keyPath);
    return std::ranges::any_of(valueNames, [&](std::string_view name) {
        const auto line = LastValueLine(*file, fullPath, name);
        return line && !line->value;
    });
}

bool SettingsStore::KeyExists(Hive hive, std::string_view keyPath) const {
    const std::optional<RegistryFile> file = ReadFile(filePath_);
    if (!file) {
        return false;
    }
    const std::string fullPath = FullKeyPath(hive, keyPath);
    return std::ranges::any_of(file->lines, [&](const FileLine& line) {
        const auto path = KeyPathOf(line.text);
        // A key below it exists only inside it, as when the registry creates every level.
        return path && (SameName(*path, fullPath) ||
                        (path->size() > fullPath.size() && (*path)[fullPath.size()] == '\\' &&
                         SameName(path->substr(0, fullPath.size()), fullPath)));
    });
}

RegistryValue SettingsStore::ReadValue(Hive hive, std::string_view keyPath,
                                       std::string_view valueName) const {
    const std::optional<RegistryFile> file = ReadFile(filePath_);
    const auto line =
        file ? LastValueLine(*file, FullKeyPath(hive, keyPath), valueName) : std::nullopt;
    if (!line || !line->value) {
        return std::string{};
    }
    const StoredValue& value = *line->value;
    if (value.kind == REG_SZ) {
        return value.data.substr(0, value.data.find('\0'));
    }
    if (value.kind == REG_DWORD) {
        return DwordOf(value.data);
    }
    return std::string{};
}

SettingsStore::Rewrite SettingsStore::RewriteValues(Hive hive, std::string_view keyPath,
                                                    const std::vector<NamedValue>& values) const {
    const ReadResult read = ReadWholeFile(filePath_, MaxSettingsBytes);
    if (read.error != 0 && read.error != ENOENT) {
        return {SaveResult::Failure(filePath_, read.error), {}}; // keep what could not be read
    }
    std::optional<RegistryFile> parsed = ParseFile(read.bytes);
    RegistryFile file = parsed ? std::move(*parsed) : NewFile();
    const std::string fullPath = FullKeyPath(hive, keyPath);
    for (const auto& [name, value] : values) {
        PutValue(file, fullPath, name, ValueLineText(name, StoredForm(value), file.hexText));
    }
    RemoveEmptyEarlierOpenings(file, fullPath);
    return {{}, FileBytes(file)};
}

} // namespace corvanta
