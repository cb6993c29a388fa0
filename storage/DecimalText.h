#pragma once
// Whole numbers written as decimal text: the amounts the player types (bet box, bank box,
// prompts) and numbers the settings file holds as text. One reading serves them all.

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvanta {

enum class Rounding {
    HalfToEven, // 4.5 -> 4, 5.5 -> 6, 4.6 -> 5
    Floor,      // toward minus infinity: 12.9 -> 12, -0.5 -> -1
};

// A plain decimal number: blanks around it, an optional sign, digits with an optional
// decimal point ("12", " -4.5 ", "+7", ".5", "3."). Anything else is not a number.
// Numbers too large for 64 bits are reported as not a number.
std::optional<std::int64_t> ReadWholeNumber(std::string_view text, Rounding rounding);

// The 16-bit amount of every bet, deposit and withdrawal: empty, not a number, or
// outside -32768..32767 gives nothing.
std::optional<std::int16_t> ConvertAmount(std::string_view text);

// The same reading for a signed 32-bit target.
std::optional<std::int32_t> ConvertInt32(std::string_view text,
                                         Rounding rounding = Rounding::HalfToEven);

} // namespace corvanta
