#pragma once
// The texts of the advice: card names, holds, returns as a multiple of the bet, and the
// trainer's question before a draw that gives up return. UTF-8.

#include "engine/Trainer.h"

#include <string>

namespace corvanta {

// "Queen of Hearts"; an empty string for a number that is not a card face.
std::string CardName(int card);

// "Keep Two of Clubs, Two of Hearts": the kept cards of `hand` by name; "Keep nothing (draw
// five)" and "Keep all five (stand pat)" for the two ends.
std::string HoldText(const FiveCards& hand, HoldMask kept);

// "2.1921 × bet": a return per dollar bet, written with four decimals.
std::string MultipleText(double multiple);

// The trainer's question before a draw that gives up return: what the marks return, the
// best hold and its return, and whether to draw anyway; three lines joined by "\r".
std::string TrainerQuestion(const FiveCards& hand, const DrawAdvice& advice);

} // namespace corvanta
