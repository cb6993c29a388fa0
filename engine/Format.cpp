#include "engine/Format.h"

namespace corvanta {

std::string PlainNumber(std::int64_t value) {
    return std::to_string(value);
}

std::string SpacedNumber(std::int64_t value) {
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

std::string MoneyText(std::int64_t value) {
    return "$" + PlainNumber(value);
}

std::string SpacedMoneyText(std::int64_t value) {
    return "$" + SpacedNumber(value);
}

} // namespace corvanta
