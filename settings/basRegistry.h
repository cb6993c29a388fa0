#pragma once
// The per-user registry the settings live in: keys holding named values of two kinds, text
// (REG_SZ) and signed 32-bit numbers (REG_DWORD). On this platform the store is one file per
// user in the format of a Windows registry export:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Brondel\Poker]
//   "Card BG"=dword:0000003f
//   "name"="text"
//
// It reads what Windows' own tools write, so settings brought from Windows come along: files
// with the first line above in UTF-16LE with a byte-order mark (regedit, reg export) or in
// UTF-8 with or without one, and REGEDIT4 files in Windows-1252, with CR LF or LF line ends.
// A write changes only the lines of the values written: every other key, value, comment and
// blank line stays byte for byte, and the file keeps its encoding, byte-order mark and line
// ends. A new file is UTF-8 without a byte-order mark, with LF line ends and the first line
// above.
//
// Names and quoted text escape a backslash as \\ and a quote as \". A quoted text stands for
// its characters followed by one NUL, the way the registry holds a REG_SZ. Text data that
// this form cannot show exactly (a NUL before its end, no terminating NUL, a line break) is
// written as hex(1): with its bytes, as Windows writes them in UTF-16LE in a UTF-16 file and
// in Windows-1252 in a REGEDIT4 file, and in a UTF-8 file one byte each as the store received
// them. Values of other kinds (hex:, hex(n):) are recognised by their kind only.
//
// A key or value found more than once counts the way reg import applies the file, line by
// line: the key's openings add up, and a value's last line is its value. Lines the store does
// not understand are kept as they are. A file that does not begin with one of the two first
// lines holds no keys (NotUnderstood says so) and is replaced by the next write.

#include "storage/AtomicFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvanta {

enum class Hive { CurrentUser }; // HKEY_CURRENT_USER

// No settings file comes near this; a larger one is not read.
inline constexpr std::size_t MaxSettingsBytes = 1024 * 1024;

// A value as read or written: text or a signed 32-bit number. Empty text stands for nothing
// usable (no file, no key, no such value, a value of another kind or damaged data).
using RegistryValue = std::variant<std::string, std::int32_t>;

// The settings file inside the per-user configuration folder ($XDG_CONFIG_HOME, resolved by
// the application): <configFolder>/corvanta/settings.reg.
std::string SettingsFilePath(std::string_view configFolder);

// The store in one file. Every operation reads the file anew and every write replaces it
// atomically, so nothing is held open between calls.
class SettingsStore {
public:
    explicit SettingsStore(std::string filePath) : filePath_(std::move(filePath)) {}

    // True when the file is there, readable and not empty, and yet not one this store
    // understands: it does not begin with "Windows Registry Editor Version 5.00" or
    // "REGEDIT4" after its optional byte-order mark (random bytes, a first line cut short,
    // UTF-16 without its byte-order mark), or one of `valueNames` is in the key with damaged
    // data (cut short: "dword:000"; the last line of the value is the one that counts). A
    // value of another kind than expected is not damaged. A missing, unreadable or empty file
    // is not such a file; ReadError tells those apart.
    bool NotUnderstood(Hive hive, std::string_view keyPath,
                       const std::vector<std::string_view>& valueNames) const;

    // True when the key, or a key below it, is in the file.
    bool KeyExists(Hive hive, std::string_view keyPath) const;

    // Text data up to its first NUL (all of it when there is none), or a REG_DWORD's number.
    RegistryValue ReadValue(Hive hive, std::string_view keyPath, std::string_view valueName) const;

    // Values to store, in this order. A number, or text that reads as a number, is stored as
    // REG_DWORD; other text has its leading and trailing spaces removed and is stored as REG_SZ
    // with a terminating NUL.
    struct NamedValue {
        std::string name;
        RegistryValue value;
    };

    // The file's bytes with the values stored, the key and the file made when missing,
    // without writing: for a save that replaces it together with another file. A file that
    // exists but cannot be read gives its failure, and is never replaced.
    struct Rewrite {
        SaveResult result;
        std::string bytes;
    };
    Rewrite RewriteValues(Hive hive, std::string_view keyPath,
                          const std::vector<NamedValue>& values) const;
    const std::string& FilePath() const { return filePath_; }
    // Why the file cannot be read now (an errno value, ENOENT when it is missing); 0 if it can.
    int ReadError() const;

private:
    std::string filePath_;
};

} // namespace corvanta
