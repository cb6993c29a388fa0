#pragma once
// Money is 32-bit and round counters are 16-bit, as in the bank file. Sums that would pass
// those limits stop at the limit instead of wrapping around.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace corvanta {

constexpr std::int32_t ClampMoney(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

constexpr std::int32_t AddMoney(std::int32_t money, std::int64_t amount) {
    return ClampMoney(std::int64_t{money} + amount);
}

constexpr std::int16_t CountUp(std::int16_t counter) {
    return counter == std::numeric_limits<std::int16_t>::max()
               ? counter
               : static_cast<std::int16_t>(counter + 1);
}

} // namespace corvanta
