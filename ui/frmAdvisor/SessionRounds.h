#pragma once
// The session's rounds as the advisor window lists them and as a CSV file saves them. Hold
// and return texts are the engine's (engine/AdviceText.h).

#include "engine/AdviceText.h"

#include <QString>

namespace corvanta {

// "8♣ 8♦ 3♥ 8♠ Q♣": the cards in slot order, as their corners print them.
QString ShortCards(const FiveCards& hand, HoldMask shown = AllKept);

// "Small" or "Large" mistake, or "Best hold".
QString MistakeText(Mistake mistake);

// Every round, newest first, under a header line; fields holding a comma or a quote are
// quoted. Card names are spelled out so that any spreadsheet reads them.
QString RoundsCsv(const TrainingSession& session);

} // namespace corvanta
