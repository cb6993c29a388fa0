#pragma once
// The number texts of the labels: money "$100" / "$-3", counts "7", and the spaced form
// that puts one space before numbers of 0 or more (" 150", "-7").

#include <cstdint>
#include <string>

namespace corvanta {

std::string PlainNumber(std::int64_t value);
std::string SpacedNumber(std::int64_t value);
std::string MoneyText(std::int64_t value);       // "$" + plain form
std::string SpacedMoneyText(std::int64_t value); // "$" + spaced form ("$ 50")

} // namespace corvanta
