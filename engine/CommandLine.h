#pragma once
// The command line, answered without a window:
//   corvanta --analyze GAME "CARDS"   the 32 holds of five cards, best first
//   corvanta --return-table GAME      each hand's probability under perfect play, the return
//   corvanta --help                   what the program takes
//   corvanta --version                its version
// GAME is a game's key (classic, jacks-or-better, bonus-poker, deuces-wild); CARDS five cards
// such as "Ah Kh Td 9s 2c". Bad input, or an option the program does not know, is a message on
// the error stream and status 2. With no option, or only the window toolkit's own options
// (-platform, -style, -session, ...), the game starts.

#include "engine/Fraction.h"
#include "engine/Game.h"

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace corvanta {

inline constexpr std::string_view AnalyzeOption = "--analyze";
inline constexpr std::string_view ReturnTableOption = "--return-table";
inline constexpr std::string_view HelpOption = "--help";
inline constexpr std::string_view VersionOption = "--version";
inline constexpr int BadCommandLine = 2;

// Answers the arguments (after the program's name) that ask for an answer rather than the
// game, printing it to `out` or a message to `err`; returns the exit status. Returns nothing
// when the game is to start. `version` is the first line --version prints.
std::optional<int> AnswerCommandLine(std::span<const std::string_view> args,
                                     std::string_view version, std::ostream& out,
                                     std::ostream& err);

// Whether the arguments (after the program's name) ask for the analysis rather than the game.
bool IsAnalysisCommand(std::span<const std::string_view> args);

// Prints the answer to `out`, or a message to `err`; returns the exit status.
int RunAnalysisCommand(std::span<const std::string_view> args, std::ostream& out,
                       std::ostream& err);

// Five cards as rank and suit ("Ah Kh Td 9s 2c"), separated by blanks. Ranks A K Q J T 9 8 7
// 6 5 4 3 2, suits s h d c, either case. A game from one deck refuses a card given twice.
struct ParsedCards {
    std::optional<FiveCards> cards;
    std::string error; // when there are no cards: what is wrong, for the player
};
ParsedCards ParseCards(const Game& game, std::string_view text);

// "Ah": a card number's rank and suit.
std::string CardText(int card);

// The fraction in decimals, rounded to nearest (halves up): "0.9954390054".
std::string DecimalText(const Fraction& fraction, int decimals);
// The same with `digits` significant digits, in plain decimals: "0.0000247570430394986".
std::string SignificantText(const Fraction& fraction, int digits);

// The answers themselves, one line each, ending in a newline.
std::string HoldsText(const Game& game, const FiveCards& cards);
std::string ReturnTableText(const Game& game);

} // namespace corvanta
