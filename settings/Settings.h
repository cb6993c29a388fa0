#pragma once
// The values kept between runs outside the bank: the card back, the current account and
// the cash on hand, in the key "Software\Brondel\Poker" of the per-user store.

#include "storage/AtomicFile.h"

#include <cstdint>
#include <string_view>

namespace corvanta {

inline constexpr std::string_view SettingsKeyPath = "Software\\Brondel\\Poker";

// "Card BG", "Current Account" and "Current Money"; the defaults are those of a first run.
struct StoredSettings {
    std::int16_t CardBG = 63;
    std::int16_t GCNum = 1;
    std::int32_t CashOnHand = 100;

    bool operator==(const StoredSettings&) const = default;
};
inline constexpr StoredSettings DefaultSettings{};

// Reads the three values. A value that is missing, not a number or too wide for its field
// takes its default, as do all three on a first run or with a damaged or unreadable file.
StoredSettings LoadSettings(std::string_view configFolder);

// Stores the three values as REG_DWORD, in the order above. Every value is attempted; the
// result is the first failure, if any.
SaveResult SaveSettings(std::string_view configFolder, const StoredSettings& settings);

} // namespace corvanta
