#include "settings/basRegistry.h"

#include "storage/DecimalText.h"
#include "storage/Folders.h"
#include "storage/LittleEndian.h"
#include "storage/Text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <optional>
#include <vector>

namespace corvanta {
namespace {

constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_BINARY = 3; // the kind of a plain hex: value
constexpr std::uint32_t REG_DWORD = 4;
constexpr std::string_view FileHeader = "Windows Registry Editor Version 5.00";

// A value's kind and data bytes, as the registry holds them.
struct StoredValue {
    std::uint32_t Kind = 0;
    std::string Data;
};

// A key's section: its full path as written between the brackets, and its lines (value
// lines and anything else found there). Lines before the first key have an empty path.
struct KeySection {
    std::string Path;
    std::vector<std::string> Lines;
};

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Registry key and value names compare without regard to case.
bool SameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
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

// The lines of the file with hex data wrapped over several lines ("xx,xx,\") joined.
std::vector<std::string> JoinedLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string pending;
    bool continuing = false;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        // Every carriage return at the end goes: a line end converted twice ("\r\r\n") would
        // otherwise keep one, and that line would read differently once written back.
        while (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (continuing) {
            line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
        }
        pending += line;
        continuing = pending.ends_with(",\\");
        if (continuing) {
            pending.pop_back();
        } else {
            lines.push_back(std::move(pending));
            pending.clear();
        }
    }
    if (continuing) {
        lines.push_back(std::move(pending));
    }
    return lines;
}

std::vector<KeySection> ParseKeys(std::string_view text) {
    const std::vector<std::string> lines = JoinedLines(text);
    std::vector<KeySection> keys;
    if (lines.empty() || lines.front() != FileHeader) {
        return keys;
    }
    keys.emplace_back();
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) {
            continue; // blank lines are written anew between keys
        }
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            keys.push_back({line.substr(1, line.size() - 2), {}});
        } else {
            keys.back().Lines.push_back(line);
        }
    }
    return keys;
}

std::string FileText(const std::vector<KeySection>& keys) {
    std::string text(FileHeader);
    text += "\n\n";
    for (const KeySection& key : keys) {
        if (!key.Path.empty()) {
            text += "[" + key.Path + "]\n";
        }
        for (const std::string& line : key.Lines) {
            text += line + "\n";
        }
        if (!key.Path.empty() || !key.Lines.empty()) {
            text += "\n";
        }
    }
    return text;
}

// A quoted name or text at the front of `text`, unescaped and removed from `text`;
// nothing when the closing quote is missing (a line cut short).
std::optional<std::string> TakeQuoted(std::string_view& text) {
    if (!text.starts_with('"')) {
        return std::nullopt;
    }
    std::string unescaped;
    for (std::size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return unescaped;
        }
        if (c == '\\' && i + 1 < text.size()) {
            c = text[++i];
        }
        unescaped += c;
    }
    return std::nullopt;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

// Exactly `digits` hex digits (any number when 0) as a number.
std::optional<std::uint32_t> ReadHex(std::string_view text, std::size_t digits) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc{} || end != text.data() + text.size() ||
        (digits != 0 && text.size() != digits)) {
        return std::nullopt;
    }
    return value;
}

std::string DwordData(std::uint32_t number) {
    std::string data(4, '\0');
    PutLittleEndian(reinterpret_cast<unsigned char*>(data.data()), number);
    return data;
}

// The data after "name=": "text", dword:xxxxxxxx, hex:xx,... or hex(n):xx,...
std::optional<StoredValue> ParseData(std::string_view data) {
    if (data.starts_with('"')) {
        auto text = TakeQuoted(data);
        if (!text || !data.empty()) {
            return std::nullopt;
        }
        return StoredValue{REG_SZ, *text + '\0'};
    }
    if (data.starts_with("dword:")) {
        // All eight digits are required, so a file cut inside the number reads as damaged
        // rather than as a smaller number.
        const auto number = ReadHex(data.substr(6), 8);
        return number ? std::optional(StoredValue{REG_DWORD, DwordData(*number)}) : std::nullopt;
    }
    StoredValue value{REG_BINARY, {}};
    if (data.starts_with("hex(")) {
        const auto close = data.find("):");
        const auto kind =
            close == std::string_view::npos ? std::nullopt : ReadHex(data.substr(4, close - 4), 0);
        if (!kind) {
            return std::nullopt;
        }
        value.Kind = *kind;
        data.remove_prefix(close + 2);
    } else if (data.starts_with("hex:")) {
        data.remove_prefix(4);
    } else {
        return std::nullopt;
    }
    while (!data.empty()) {
        const auto comma = std::min(data.find(','), data.size());
        const auto byte = ReadHex(data.substr(0, comma), 2);
        if (!byte || comma + 1 == data.size()) {
            return std::nullopt;
        }
        value.Data += static_cast<char>(*byte);
        data.remove_prefix(std::min(comma + 1, data.size()));
    }
    return value;
}

struct ValueLine {
    std::string Name;
    std::optional<StoredValue> Value; // nothing when the data are damaged
};

// A line of the form "name"=data or @=data (the key's unnamed value); nothing for comments
// and anything else.
std::optional<ValueLine> ParseValueLine(std::string_view line) {
    std::optional<std::string> name;
    if (line.starts_with("@=")) {
        name = "";
        line.remove_prefix(1);
    } else {
        name = TakeQuoted(line);
    }
    if (!name || !line.starts_with('=')) {
        return std::nullopt;
    }
    return ValueLine{std::move(*name), ParseData(line.substr(1))};
}

// `digits` lowercase hex digits of `value`, as regedit writes them.
void AppendHex(std::string& out, std::uint32_t value, int digits) {
    constexpr std::string_view HexDigits = "0123456789abcdef";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += HexDigits[(value >> shift) & 0x0F];
    }
}

std::string ValueLineText(std::string_view name, const StoredValue& value) {
    std::string line = name.empty() ? "@=" : Quoted(name) + "=";
    if (value.Kind == REG_DWORD) {
        line += "dword:";
        AppendHex(line,
                  GetLittleEndian<std::uint32_t>(
                      reinterpret_cast<const unsigned char*>(value.Data.data())),
                  8);
        return line;
    }
    const std::string_view text = value.Data;
    const bool plainText = text.ends_with('\0') && text.find('\0') == text.size() - 1 &&
                           text.find_first_of("\r\n") == std::string_view::npos;
    if (plainText) {
        return line + Quoted(text.substr(0, text.size() - 1));
    }
    line += "hex(1):";
    for (std::size_t i = 0; i < text.size(); ++i) {
        line += i == 0 ? "" : ",";
        AppendHex(line, static_cast<unsigned char>(text[i]), 2);
    }
    return line;
}

bool InKey(const KeySection& key, std::string_view fullPath) {
    return SameName(key.Path, fullPath);
}

std::vector<KeySection> ReadKeys(const std::string& filePath) {
    const ReadResult file = ReadWholeFile(filePath, MaxSettingsBytes);
    return file.Error == 0 ? ParseKeys(file.Bytes) : std::vector<KeySection>{};
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

// The first line of this name takes the new value in its place; a later duplicate would
// contradict it and goes.
void SetValueLine(std::vector<std::string>& lines, std::string_view name,
                  const std::string& newLine) {
    bool placed = false;
    for (auto line = lines.begin(); line != lines.end();) {
        const auto parsed = ParseValueLine(*line);
        if (!parsed || !SameName(parsed->Name, name)) {
            ++line;
        } else if (placed) {
            line = lines.erase(line);
        } else {
            *line++ = newLine;
            placed = true;
        }
    }
    if (!placed) {
        lines.push_back(newLine);
    }
}

} // namespace

std::string SettingsFilePath(std::string_view configFolder) {
    std::string path(configFolder);
    path += "/corvanta/settings.reg";
    return path;
}

int SettingsStore::ReadError() const {
    return ReadWholeFile(filePath_, MaxSettingsBytes).Error;
}

bool SettingsStore::KeyExists(Hive hive, std::string_view keyPath) const {
    const std::string fullPath = FullKeyPath(hive, keyPath);
    return std::ranges::any_of(ReadKeys(filePath_), [&](const KeySection& key) {
        // A key below it exists only inside it, as when the registry creates every level.
        return InKey(key, fullPath) ||
               (key.Path.size() > fullPath.size() && key.Path[fullPath.size()] == '\\' &&
                SameName(key.Path.substr(0, fullPath.size()), fullPath));
    });
}

RegistryValue SettingsStore::ReadValue(Hive hive, std::string_view keyPath,
                                       std::string_view valueName) const {
    const std::string fullPath = FullKeyPath(hive, keyPath);
    for (const KeySection& key : ReadKeys(filePath_)) {
        if (!InKey(key, fullPath)) {
            continue;
        }
        for (const std::string& line : key.Lines) {
            const auto parsed = ParseValueLine(line);
            if (!parsed || !SameName(parsed->Name, valueName)) {
                continue;
            }
            if (!parsed->Value) {
                return std::string{};
            }
            const std::string& data = parsed->Value->Data;
            if (parsed->Value->Kind == REG_SZ) {
                return data.substr(0, data.find('\0'));
            }
            if (parsed->Value->Kind == REG_DWORD && data.size() == 4) {
                return GetLittleEndian<std::int32_t>(
                    reinterpret_cast<const unsigned char*>(data.data()));
            }
            return std::string{};
        }
    }
    return std::string{};
}

SaveResult SettingsStore::WriteValue(Hive hive, std::string_view keyPath,
                                     std::string_view valueName, const RegistryValue& value) const {
    return WriteValues(hive, keyPath, {{std::string(valueName), value}});
}

SaveResult SettingsStore::WriteValues(Hive hive, std::string_view keyPath,
                                      const std::vector<NamedValue>& values) const {
    const Rewrite rewrite = RewriteValues(hive, keyPath, values);
    if (!rewrite.result.Ok) {
        return rewrite.result;
    }
    return WriteFileAtomically(filePath_, rewrite.bytes);
}

SettingsStore::Rewrite SettingsStore::RewriteValues(Hive hive, std::string_view keyPath,
                                                    const std::vector<NamedValue>& values) const {
    const ReadResult file = ReadWholeFile(filePath_, MaxSettingsBytes);
    if (file.Error != 0 && file.Error != ENOENT) {
        return {SaveResult::Failure(filePath_, file.Error), {}}; // keep what could not be read
    }
    std::vector<KeySection> keys = ParseKeys(file.Bytes);
    if (keys.empty()) {
        keys.emplace_back();
    }
    const std::string fullPath = FullKeyPath(hive, keyPath);
    auto key = std::ranges::find_if(keys, [&](const KeySection& k) { return InKey(k, fullPath); });
    if (key == keys.end()) {
        key = keys.insert(keys.end(), {fullPath, {}});
    }
    for (const auto& [name, value] : values) {
        SetValueLine(key->Lines, name, ValueLineText(name, StoredForm(value)));
    }
    if (SaveResult folder = CreateFolders(FolderOf(filePath_)); !folder.Ok) {
        return {folder, {}};
    }
    return {{}, FileText(keys)};
}

} // namespace corvanta
