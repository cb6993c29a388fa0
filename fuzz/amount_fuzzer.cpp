// libFuzzer target: the one amount conversion behind every typed amount and settings text.
// Besides surviving any input, every answer is checked against a plain reference reading of
// the same text that works on the digit string with 128-bit arithmetic.
#include "storage/DecimalText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

using corvanta::Rounding;

// Magnitudes at or above this are "too large" for every reading checked here.
constexpr __int128 Cap = static_cast<__int128>(1) << 100;

struct Reference {
    bool number = false; // the text has the form of a number
    __int128 halfToEven = 0;
    __int128 floor = 0;
};

Reference Read(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) {
        return {};
    }
    __int128 magnitude = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') {
            return {};
        }
        magnitude = magnitude >= Cap ? Cap : magnitude * 10 + (c - '0');
    }
    for (char c : fraction) {
        if (c < '0' || c > '9') {
            return {};
        }
    }
    // The fraction against one half: compare its digits without trailing zeros with "5".
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.remove_suffix(1);
    }
    const int versusHalf = fraction.empty() ? -2 : fraction.compare("5"); // -2: no fraction
    const bool roundUp = versusHalf > 0 || (versusHalf == 0 && magnitude % 2 == 1);
    Reference result;
    result.number = true;
    const __int128 sign = negative ? -1 : 1;
    result.halfToEven = sign * (magnitude + (roundUp ? 1 : 0));
    result.floor = sign * magnitude - (negative && !fraction.empty() ? 1 : 0);
    return result;
}

template <typename Int>
std::optional<Int> Fit(bool number, __int128 value, __int128 low, __int128 high) {
    if (!number || value < low || value > high) {
        return std::nullopt;
    }
    return static_cast<Int>(value);
}

[[noreturn]] void Mismatch(const char* what) {
    std::fprintf(stderr, "amount_fuzzer: %s differs from the reference reading\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Reference expected = Read(text);

    if (corvanta::ConvertAmount(text) !=
        Fit<std::int16_t>(expected.number, expected.halfToEven, INT16_MIN, INT16_MAX)) {
        Mismatch("ConvertAmount");
    }
    if (corvanta::ConvertInt32(text, Rounding::HalfToEven) !=
        Fit<std::int32_t>(expected.number, expected.halfToEven, INT32_MIN, INT32_MAX)) {
        Mismatch("ConvertInt32 (half to even)");
    }
    if (corvanta::ConvertInt32(text, Rounding::Floor) !=
        Fit<std::int32_t>(expected.number, expected.floor, INT32_MIN, INT32_MAX)) {
        Mismatch("ConvertInt32 (floor)");
    }
    // 64 bits: numbers of up to 18 digits must be read exactly; anything beyond the 64-bit
    // range must be refused. The last few values below the limit may go either way.
    for (const Rounding rounding : {Rounding::HalfToEven, Rounding::Floor}) {
        const std::optional<std::int64_t> got = corvanta::ReadWholeNumber(text, rounding);
        const __int128 value =
            rounding == Rounding::HalfToEven ? expected.halfToEven : expected.floor;
        constexpr __int128 Exact = 1'000'000'000'000'000'000; // 10^18
        const bool mustRead = expected.number && value > -Exact && value < Exact;
        const bool mustRefuse = !expected.number || value > INT64_MAX || value < INT64_MIN;
        if ((mustRead && got != static_cast<std::int64_t>(value)) || (mustRefuse && got)) {
            Mismatch("ReadWholeNumber");
        }
    }
    return 0;
}
