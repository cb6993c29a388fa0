#pragma once
// An account's playing statistics: the rounds it played, won and lost, the amounts won and
// lost, and the average gains derived from them.

#include "bank/AccountTable.h"
#include "engine/Round.h"

#include <cstdint>

namespace corvanta {

// Counts a settled round in the account: won or lost, the amount won (the gain above the
// bet) or lost (the bet), and one more round played. Counters stop at 32767.
void RecordRound(AccountRecord& account, const Settlement& settlement);

// (AmountWon - AmountLost) / RoundsPlayed truncated toward zero; 0 while no round is played.
std::int64_t AverageGains(const AccountRecord& account);

} // namespace corvanta
