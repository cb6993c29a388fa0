#include "storage/Utf8.h"

namespace corvanta {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    const int continuations = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    constexpr unsigned char Leads[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(Leads[continuations] | (cp >> (6 * continuations)));
    for (int shift = 6 * (continuations - 1); shift >= 0; shift -= 6) {
        out += static_cast<char>(0x80 | ((cp >> shift) & 0x3F));
    }
}

std::optional<char32_t> TakeCodePoint(std::string_view& text) {
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t length = lead < 0x80    ? 1
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC0 ? 2
                                              : 0;
    if (length == 0 || length > text.size()) {
        text.remove_prefix(1);
        return std::nullopt;
    }
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next & 0xC0) != 0x80) {
            text.remove_prefix(1);
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    text.remove_prefix(length);
    return cp;
}

} // namespace corvanta
