#pragma once
// The hold advisor written a second time, plainly and on its own, as the reference the advisor
// is checked and measured against: it reads the card numbers, classifies and pays the final
// hands by its own rules and payouts written out in it, and counts every hold's draws anew
// (52^k draws grouped by the values drawn), with nothing kept from one hand to the next. It
// shares only the result types with the engine. Exact, but milliseconds a hand.

#include "engine/Advisor.h"

namespace corvanta::test {

// The payout, times the bet, of five card numbers (0..51) as a final hand.
int ReferencePayout(const FiveCards& hand);

// The payback of one hold, computed from scratch.
Payback ReferencePayback(const FiveCards& hand, HoldMask kept);

// All 32 holds, best first, with the same tie rule and equal flags as RankHolds.
HoldRanking ReferenceRankHolds(const FiveCards& hand);

// The paybacks of keeping each of the 8568 multisets of at most five values, of one suit and
// not, one enumeration each: what the advisor's tables cost to build this way. Returns their
// sum, so that nothing is optimized away.
std::uint64_t ReferencePaybackSum();

} // namespace corvanta::test
