#include "engine/Format.h"

#include "bank/AccountTable.h"

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

std::int64_t AverageGains(const AccountRecord& account) {
    if (account.RoundsPlayed <= 0) {
        return 0;
    }
    return (std::int64_t{account.AmountWon} - account.AmountLost) / account.RoundsPlayed;
}

} // namespace corvanta
