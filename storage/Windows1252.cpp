#include "storage/Windows1252.h"

#include "storage/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace corvanta {
namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ByteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < HighControlRange.size(); ++i) {
        if (HighControlRange[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

char UpperByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
        return static_cast<char>(b - 0x20);
    }
    switch (b) {
    case 0x9A: // š
        return static_cast<char>(0x8A);
    case 0x9C: // œ
        return static_cast<char>(0x8C);
    case 0x9E: // ž
        return static_cast<char>(0x8E);
    case 0xFF: // ÿ
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

} // namespace

std::string EncodeWindows1252(std::string_view utf8) {
    std::string out;
    while (!utf8.empty()) {
        // A stray continuation byte or a cut-off sequence is one '?' a byte.
        const std::optional<char32_t> cp = TakeCodePoint(utf8);
        out += cp ? ByteFor(*cp) : '?';
    }
    return out;
}

std::string DecodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? HighControlRange[b - 0x80] : char32_t{b});
    }
    return out;
}

std::string UpperWindows1252(std::string_view bytes) {
    std::string upper(bytes);
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperByte);
    return upper;
}

} // namespace corvanta
