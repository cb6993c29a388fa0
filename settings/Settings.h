#pragma once
// The three values kept between runs outside the bank: the card back, the current account
// and the cash on hand, in the key "Software\Brondel\Poker" of the per-user store.

#include "bank/AccountTable.h"
#include "bank/AtomicFile.h"
#include "engine/Table.h"

#include <string_view>

namespace corvanta {

inline constexpr std::string_view SettingsKeyPath = "Software\\Brondel\\Poker";
inline constexpr std::int16_t DefaultGCNum = 1;
inline constexpr std::int32_t DefaultCashOnHand = 100;

// Reads "Card BG", "Current Account" and "Current Money" into CardBG, GCNum and CashOnHand.
// A value that is missing, not a number or too wide for its field takes its default
// (63, 1, 100), as do all three on a first run or with a damaged or unreadable file.
void LoadSettings(Table& table, Bank& bank, std::string_view configFolder);

// Stores the three values as REG_DWORD, in the order above. Every value is attempted; the
// result is the first failure, if any.
SaveResult SaveSettings(const Table& table, const Bank& bank, std::string_view configFolder);

} // namespace corvanta
