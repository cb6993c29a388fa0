#include "settings/RegistryEncoding.h"

#include "storage/Utf8.h"
#include "storage/Windows1252.h"

#include <cstdint>
#include <optional>

namespace corvanta {
namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr char32_t Replacement = 0xFFFD;

TextEncoding EncodingOf(std::string_view bytes) {
    if (bytes.starts_with(Utf16LeMark)) {
        return TextEncoding::Utf16Le;
    }
    if (bytes.starts_with(Utf8Mark)) {
        return TextEncoding::Utf8WithBom;
    }
    return bytes.starts_with(Regedit4Header) ? TextEncoding::Windows1252 : TextEncoding::Utf8;
}

void AppendUnit(std::string& out, char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

std::string EncodeUtf16Le(std::string_view utf8) {
    std::string out;
    while (!utf8.empty()) {
        char32_t cp = TakeCodePoint(utf8).value_or(Replacement);
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            cp = Replacement; // no UTF-16 form
        }
        if (cp >= 0x10000) {
            AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10));
            cp = 0xDC00 + ((cp - 0x10000) & 0x3FF);
        }
        AppendUnit(out, cp);
    }
    return out;
}

// A lone surrogate becomes U+FFFD; a lone byte at the end (half a unit) is left out.
std::string DecodeUtf16Le(std::string_view bytes) {
    const auto unitAt = [&](std::size_t i) -> char32_t {
        return static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
    };
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unitAt(i);
        const bool high = cp >= 0xD800 && cp <= 0xDBFF;
        const char32_t next = i + 3 < bytes.size() ? unitAt(i + 2) : 0;
        if (high && next >= 0xDC00 && next <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (next - 0xDC00);
            i += 2;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = Replacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

// Where the line at the front of `bytes` ends: just after its line feed, or at the end.
std::size_t LineLength(std::string_view bytes, std::size_t unit) {
    for (std::size_t i = 0; i + unit <= bytes.size(); i += unit) {
        if (bytes[i] == '\n' && (unit == 1 || bytes[i + 1] == '\0')) {
            return i + unit;
        }
    }
    return bytes.size();
}

FileLine LineOf(TextEncoding encoding, std::string_view bytes) {
    FileLine line{std::string(bytes), DecodeText(encoding, bytes), LineEnd::None};
    if (line.text.ends_with('\n')) {
        line.text.pop_back();
        line.end = LineEnd::Lf;
    }
    while (line.text.ends_with('\r')) {
        line.text.pop_back();
        line.end = line.end == LineEnd::Lf ? LineEnd::CrLf : line.end;
    }
    return line;
}

} // namespace

FileLines SplitLines(std::string_view bytes) {
    FileLines file;
    file.encoding = EncodingOf(bytes);
    bytes.remove_prefix(ByteOrderMark(file.encoding).size());
    const std::size_t unit = file.encoding == TextEncoding::Utf16Le ? 2 : 1;
    bytes.remove_suffix(bytes.size() % unit);
    while (!bytes.empty()) {
        const std::size_t length = LineLength(bytes, unit);
        file.lines.push_back(LineOf(file.encoding, bytes.substr(0, length)));
        bytes.remove_prefix(length);
    }
    return file;
}

std::string EncodeText(TextEncoding encoding, std::string_view utf8) {
    switch (encoding) {
    case TextEncoding::Utf16Le:
        return EncodeUtf16Le(utf8);
    case TextEncoding::Windows1252:
        return EncodeWindows1252(utf8);
    default:
        return std::string(utf8);
    }
}

std::string DecodeText(TextEncoding encoding, std::string_view bytes) {
    switch (encoding) {
    case TextEncoding::Utf16Le:
        return DecodeUtf16Le(bytes);
    case TextEncoding::Windows1252:
        return DecodeWindows1252(bytes);
    default:
        return std::string(bytes);
    }
}

std::string_view ByteOrderMark(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16Le       ? Utf16LeMark
           : encoding == TextEncoding::Utf8WithBom ? Utf8Mark
                                                   : std::string_view{};
}

} // namespace corvanta
