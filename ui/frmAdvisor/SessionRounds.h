#pragma once
// The session's rounds as the advisor window lists them and as a CSV file saves them.

#include "engine/Trainer.h"

#include <QString>

namespace corvanta {

// "Keep Two of Clubs, Two of Hearts": the kept cards of `hand` by name.
QString HoldText(const FiveCards& hand, HoldMask kept);

// "8♣ 8♦ 3♥ 8♠ Q♣": the cards in slot order, as their corners print them.
QString ShortCards(const FiveCards& hand, HoldMask shown = AllKept);

// "2.1921 × bet": a return per dollar bet, as every window of the advisor writes it.
QString MultipleText(double multiple);

// The trainer's question before a draw that gives up return: what the marks return, the
// best hold and its return, and whether to draw anyway; three lines joined by "\r".
QString TrainerWarning(const FiveCards& hand, const DrawAdvice& advice);

// "Small" or "Large" mistake, or "Best hold".
QString MistakeText(Mistake mistake);

// Every round, newest first, under a header line; fields holding a comma or a quote are
// quoted. Card names are spelled out so that any spreadsheet reads them.
QString RoundsCsv(const TrainingSession& session);

} // namespace corvanta
