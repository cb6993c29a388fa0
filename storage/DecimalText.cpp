#include "storage/DecimalText.h"

#include <limits>

namespace corvanta {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<std::int64_t> ReadWholeNumber(std::string_view text, Rounding rounding) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    constexpr std::int64_t Limit = std::numeric_limits<std::int64_t>::max() / 10 - 1;
    std::int64_t magnitude = 0;
    for (char c : whole) {
        if (!IsDigit(c) || magnitude > Limit) {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
    }
    // Compare the fraction with one half exactly, digit by digit, so 4.5 is a true half.
    bool anyFraction = false;
    int versusHalf = 0; // -1 below a half, 0 exactly a half, +1 above
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        const char c = fraction[i];
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        anyFraction = anyFraction || c != '0';
        if (i == 0) {
            versusHalf = c < '5' ? -1 : c > '5' ? 1 : 0;
        } else if (versusHalf == 0 && c != '0') {
            versusHalf = 1;
        }
    }
    bool up = false; // away from zero
    if (anyFraction) {
        if (rounding == Rounding::HalfToEven) {
            up = versusHalf > 0 || (versusHalf == 0 && magnitude % 2 == 1);
        } else {
            up = negative;
        }
    }
    magnitude += up ? 1 : 0;
    return negative ? -magnitude : magnitude;
}

std::optional<std::int16_t> ConvertAmount(std::string_view text) {
    const auto value = ReadWholeNumber(text, Rounding::HalfToEven);
    if (!value || *value < std::numeric_limits<std::int16_t>::min() ||
        *value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*value);
}

std::optional<std::int32_t> ConvertInt32(std::string_view text, Rounding rounding) {
    const auto value = ReadWholeNumber(text, rounding);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

} // namespace corvanta
