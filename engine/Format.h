#pragma once
// The number texts of the debug console: counts "7", and the spaced form that puts one space
// before numbers of 0 or more (" 150", "-7"). Money is written by the windows, from a Money.

#include <cstdint>
#include <string>

namespace corvanta {

std::string PlainNumber(std::int64_t value);
std::string SpacedNumber(std::int64_t value);

// How a sum of money is written where it is shown.
enum class MoneyForm {
    Dollars,       // "$150", "$-3": every amount on the table
    SpacedDollars, // "$ 50": a new account's savings, as Change Account shows them
    Plain,         // "150": the savings as the debug console's Set As GCNum shows them
};

struct Money {
    std::int64_t amount = 0;
    MoneyForm form = MoneyForm::Dollars;

    bool operator==(const Money&) const = default;
};

} // namespace corvanta
