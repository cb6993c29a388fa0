#include "engine/Format.h"

namespace corvanta {

std::string PlainNumber(std::int64_t value) {
    return std::to_string(value);
}

std::string SpacedNumber(std::int64_t value) {
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

} // namespace corvanta
