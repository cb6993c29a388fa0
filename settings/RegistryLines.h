#pragma once
// The lines of a registry export, read as text: key lines ([HKEY_CURRENT_USER\...]), value
// lines ("name"=data or @=data) and hex data wrapped over several lines.

#include "settings/RegistryEncoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvanta {

inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_BINARY = 3; // the kind of a plain hex: value
inline constexpr std::uint32_t REG_DWORD = 4;

// A value's kind and data. REG_SZ data are the text in UTF-8 with its terminating NUL, as the
// program holds text; the data of other kinds are their bytes.
struct StoredValue {
    std::uint32_t kind = REG_NONE;
    std::string data;
};

struct ValueLine {
    std::string name;                 // empty for the key's unnamed value (@)
    std::optional<StoredValue> value; // nothing when the data are damaged
};

// Joins hex data wrapped over several lines ("xx,xx,\" and the next line, its leading spaces
// dropped) into one line holding the bytes of all of them. True when the file ends inside
// such data: a line added after it would be read as more of it.
bool JoinWrappedLines(std::vector<FileLine>& lines);

// Registry key and value names compare without regard to case.
bool SameName(std::string_view a, std::string_view b);

// The key a line such as [HKEY_CURRENT_USER\Software] opens; nothing for other lines.
std::optional<std::string_view> KeyPathOf(std::string_view line);

// A line of the form "name"=data or @=data; nothing for comments and anything else. The text
// of hex(1) data is in `hexText`. "name"=- (a value to delete) reads as a REG_NONE value.
std::optional<ValueLine> ParseValueLine(std::string_view line, TextEncoding hexText);

// The line a value is written as, in the form regedit uses: "text" for text that holds no
// NUL but its last character and no line break, hex(1): with the text in `hexText` for other
// text, dword:xxxxxxxx for a REG_DWORD.
std::string ValueLineText(std::string_view name, const StoredValue& value, TextEncoding hexText);

// A REG_DWORD's four data bytes and back.
std::string DwordData(std::uint32_t number);
std::int32_t DwordOf(std::string_view data);

} // namespace corvanta
