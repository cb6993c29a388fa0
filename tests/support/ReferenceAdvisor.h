#pragma once
// The hold advisor as first written, kept as the reference the advisor is checked and
// measured against: every hold of a hand is counted by walking the multisets of values its
// draws can add (52^k draws grouped by value, each final hand classified by the game's own
// rules), with nothing kept from one hand to the next. Exact, but hundreds of microseconds
// a hand.

#include "engine/Advisor.h"

namespace corvanta::test {

// The payback of one hold, computed from scratch.
Payback ReferencePayback(const FiveCards& hand, HoldMask kept);

// All 32 holds, best first, with the same tie rule and equal flags as RankHolds.
HoldRanking ReferenceRankHolds(const FiveCards& hand);

// The paybacks of keeping each of the 8568 multisets of at most five values, of one suit and
// not, one enumeration each: what the advisor's tables cost to build this way. Returns their
// sum, so that nothing is optimized away.
std::uint64_t ReferencePaybackSum();

} // namespace corvanta::test
