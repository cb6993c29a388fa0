#pragma once
// An account's playing statistics: the rounds it played, won and lost, the amounts won and
// lost, and the average gains derived from them.

#include "bank/AccountTable.h"
#include "engine/Round.h"

#include <cstdint>

namespace corvanta {

// The statistics of one account as the player sees them.
struct AccountStatistics {
    std::int64_t roundsWon = 0;
    std::int64_t roundsLost = 0;
    std::int64_t roundsPlayed = 0;
    std::int64_t amountWon = 0;
    std::int64_t amountLost = 0;
    std::int64_t averageGains = 0; // see AverageGains

    bool operator==(const AccountStatistics&) const = default;
};

// Counts a settled round in the account: won or lost, the amount won (the gain above the
// bet) or lost (the bet), and one more round played. Counters stop at 32767.
void RecordRound(AccountRecord& account, const Settlement& settlement);

// (AmountWon - AmountLost) / RoundsPlayed truncated toward zero; 0 while no round is played.
std::int64_t AverageGains(const AccountRecord& account);

AccountStatistics StatisticsOf(const AccountRecord& account);

} // namespace corvanta
