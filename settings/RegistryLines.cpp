#include "settings/RegistryLines.h"

#include "storage/LittleEndian.h"

#include <algorithm>
#include <charconv>

namespace corvanta {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
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

// The bytes of hex data, "xx,xx,..."; nothing when one is not two hex digits.
std::optional<std::string> HexBytes(std::string_view data) {
    std::string bytes;
    while (!data.empty()) {
        const auto comma = std::min(data.find(','), data.size());
        const auto byte = ReadHex(data.substr(0, comma), 2);
        if (!byte || comma + 1 == data.size()) {
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
        data.remove_prefix(std::min(comma + 1, data.size()));
    }
    return bytes;
}

// hex:xx,... or hex(n):xx,...
std::optional<StoredValue> ParseHexData(std::string_view data, TextEncoding hexText) {
    StoredValue value{REG_BINARY, {}};
    if (data.starts_with("hex(")) {
        const auto close = data.find("):");
        const auto kind =
            close == std::string_view::npos ? std::nullopt : ReadHex(data.substr(4, close - 4), 0);
        if (!kind) {
            return std::nullopt;
        }
        value.kind = *kind;
        data.remove_prefix(close + 2);
    } else if (data.starts_with("hex:")) {
        data.remove_prefix(4);
    } else {
        return std::nullopt;
    }
    auto bytes = HexBytes(data);
    // A number of other than four bytes is one cut short, not a smaller number.
    if (!bytes || (value.kind == REG_DWORD && bytes->size() != 4)) {
        return std::nullopt;
    }
    value.data = value.kind == REG_SZ ? DecodeText(hexText, *bytes) : std::move(*bytes);
    return value;
}

// The data after "name=": "text", dword:xxxxxxxx, hex data, or - for a deleted value.
std::optional<StoredValue> ParseData(std::string_view data, TextEncoding hexText) {
    if (data == "-") {
        return StoredValue{};
    }
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
    return ParseHexData(data, hexText);
}

// `digits` lowercase hex digits of `value`, as regedit writes them.
void AppendHex(std::string& out, std::uint32_t value, int digits) {
    constexpr std::string_view HexDigits = "0123456789abcdef";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += HexDigits[(value >> shift) & 0x0F];
    }
}

} // namespace

bool JoinWrappedLines(std::vector<FileLine>& lines) {
    bool continuing = false;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!continuing) {
            if (kept != i) {
                lines[kept] = std::move(lines[i]);
            }
            ++kept;
        } else {
            const FileLine& line = lines[i];
            FileLine& joined = lines[kept - 1];
            const std::string_view text = line.text;
            joined.bytes += line.bytes;
            joined.text += text.substr(std::min(text.find_first_not_of(' '), text.size()));
            joined.end = line.end;
        }
        std::string& text = lines[kept - 1].text;
        continuing = text.ends_with(",\\");
        if (continuing) {
            text.pop_back();
        }
    }
    lines.resize(kept);
    return continuing;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::optional<std::string_view> KeyPathOf(std::string_view line) {
    if (line.size() < 2 || !line.starts_with('[') || !line.ends_with(']')) {
        return std::nullopt;
    }
    return line.substr(1, line.size() - 2);
}

std::optional<ValueLine> ParseValueLine(std::string_view line, TextEncoding hexText) {
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
    return ValueLine{std::move(*name), ParseData(line.substr(1), hexText)};
}

std::string ValueLineText(std::string_view name, const StoredValue& value, TextEncoding hexText) {
    std::string line = name.empty() ? "@=" : Quoted(name) + "=";
    if (value.kind == REG_DWORD) {
        line += "dword:";
        AppendHex(line, static_cast<std::uint32_t>(DwordOf(value.data)), 8);
        return line;
    }
    const std::string_view text = value.data;
    const bool plainText = text.ends_with('\0') && text.find('\0') == text.size() - 1 &&
                           text.find_first_of("\r\n") == std::string_view::npos;
    if (plainText) {
        return line + Quoted(text.substr(0, text.size() - 1));
    }
    const std::string bytes = EncodeText(hexText, text);
    line += "hex(1):";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        line += i == 0 ? "" : ",";
        AppendHex(line, static_cast<unsigned char>(bytes[i]), 2);
    }
    return line;
}

std::string DwordData(std::uint32_t number) {
    std::string data(4, '\0');
    PutLittleEndian(reinterpret_cast<unsigned char*>(data.data()), number);
    return data;
}

std::int32_t DwordOf(std::string_view data) {
    return GetLittleEndian<std::int32_t>(reinterpret_cast<const unsigned char*>(data.data()));
}

} // namespace corvanta
