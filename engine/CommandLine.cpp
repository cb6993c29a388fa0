#include "engine/CommandLine.h"

#include "engine/Advisor.h"
#include "engine/ReturnTable.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace corvanta {
namespace {

__extension__ using Wide = unsigned __int128; // a remainder times ten never overflows it

// Ranks in card-number order: the ace first, the king last. Suits in suit-index order.
constexpr std::string_view RankLetters = "A23456789TJQK";
constexpr std::string_view SuitLetters = "cdhs";

constexpr std::string_view Usage = "usage: corvanta --analyze GAME \"CARDS\"\n"
                                   "       corvanta --return-table GAME\n";

constexpr std::string_view HelpText =
    "Usage: corvanta [OPTION]\n"
    "Five-card draw poker with play money, bank accounts, a hold advisor and a trainer.\n"
    "With no option the game starts in its window.\n"
    "\n"
    "  --analyze GAME \"CARDS\"  print the 32 holds of five cards, best first, each with its\n"
    "                          exact expected return per unit bet\n"
    "  --return-table GAME     print each hand's pay and probability under perfect play, then\n"
    "                          the return per unit bet\n"
    "  --help                  print this help and exit\n"
    "  --version               print the version and exit\n"
    "\n"
    "GAME is one of: {games}.\n"
    "CARDS are five cards as rank and suit, such as \"Ah Kh Td 9s 2c\": ranks\n"
    "A K Q J T 9 8 7 6 5 4 3 2, suits s h d c.\n"
    "\n"
    "The window also takes Qt's own options, such as -platform NAME, -style NAME and -reverse.\n"
    "Bad input is a message on the error stream and exit status 2.\n"
    "More in the manual page: man 6 corvanta\n";

// The options Qt reads from the command line itself, with one dash or two, and whether each
// takes a value. The game passes them on; -session is how a desktop session restarts it.
struct ToolkitOption {
    std::string_view name;
    bool takesValue;
};
constexpr ToolkitOption ToolkitOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"style", true},           {"stylesheet", true},
    {"display", true},         {"geometry", true},
    {"title", true},           {"name", true},
    {"reverse", false},        {"widgetcount", false},
    {"nograb", false},         {"dograb", false},
    {"sync", false},
};

std::string GameList() {
    std::string list;
    for (const Game* game : AllGames()) {
        list += (list.empty() ? "" : ", ") + std::string(game->key);
    }
    return list;
}

std::optional<int> CardOf(std::string_view token) {
    if (token.size() != 2) {
        return std::nullopt;
    }
    const auto rank = RankLetters.find(static_cast<char>(std::toupper(token[0])));
    const auto suit = SuitLetters.find(static_cast<char>(std::tolower(token[1])));
    if (rank == std::string_view::npos || suit == std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<int>(rank * SuitCount + suit);
}

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto start = text.find_first_not_of(" \t\n", at);
        if (start == std::string_view::npos) {
            break;
        }
        const auto end = std::min(text.find_first_of(" \t\n", start), text.size());
        tokens.push_back(text.substr(start, end - start));
        at = end;
    }
    return tokens;
}

std::string FractionText(const Fraction& fraction) {
    const Fraction reduced = fraction.Reduced();
    return std::to_string(reduced.numerator) + "/" + std::to_string(reduced.denominator);
}

// The decimal digits of the fraction's value times 10^decimals, rounded to nearest.
std::string ScaledDigits(const Fraction& fraction, int decimals) {
    Wide whole = fraction.numerator / fraction.denominator;
    Wide remainder = fraction.numerator % fraction.denominator;
    for (int i = 0; i < decimals; ++i) {
        remainder *= 10;
        whole = whole * 10 + remainder / fraction.denominator;
        remainder %= fraction.denominator;
    }
    whole += 2 * remainder >= fraction.denominator ? 1 : 0;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(whole % 10)));
        whole /= 10;
    } while (whole != 0);
    return digits;
}

int RunAnalyze(const Game& game, std::string_view text, std::ostream& out, std::ostream& err) {
    const ParsedCards parsed = ParseCards(game, text);
    if (!parsed.cards) {
        err << "corvanta: " << parsed.error << '\n';
        return BadCommandLine;
    }
    out << HoldsText(game, *parsed.cards);
    return 0;
}

// The toolkit's option `arg` names, or nothing. "-style=fusion" names "style" too.
const ToolkitOption* FindToolkitOption(std::string_view arg, bool& valueGiven) {
    if (arg.size() < 2 || arg[0] != '-') {
        return nullptr;
    }
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    const auto equals = arg.find('=');
    valueGiven = equals != std::string_view::npos;
    const std::string_view name = arg.substr(0, equals);
    for (const ToolkitOption& option : ToolkitOptions) {
        if (option.name == name && (option.takesValue || !valueGiven)) {
            return &option;
        }
    }
    return nullptr;
}

// Nothing when every argument is the toolkit's, else the message for the first that is not.
std::optional<std::string> NotToolkitOptions(std::span<const std::string_view> args) {
    for (std::size_t at = 0; at < args.size(); ++at) {
        bool valueGiven = false;
        const ToolkitOption* option = FindToolkitOption(args[at], valueGiven);
        if (option == nullptr) {
            return (args[at].starts_with('-') ? "unknown option \"" : "unexpected argument \"") +
                   std::string(args[at]) + "\"";
        }
        if (option->takesValue && !valueGiven && ++at == args.size()) {
            return std::string(args[at - 1]) + " needs a value";
        }
    }
    return std::nullopt;
}

std::string HelpTextWithGames() {
    std::string text(HelpText);
    const std::string_view games = "{games}";
    return text.replace(text.find(games), games.size(), GameList());
}

} // namespace

std::string CardText(int card) {
    return {RankLetters[static_cast<std::size_t>(RankOf(card))],
            SuitLetters[static_cast<std::size_t>(SuitOf(card))]};
}

ParsedCards ParseCards(const Game& game, std::string_view text) {
    const std::vector<std::string_view> tokens = Tokens(text);
    if (tokens.size() != HandSize) {
        return {std::nullopt, std::to_string(tokens.size()) + " cards given in \"" +
                                  std::string(text) + "\"; the analysis needs 5"};
    }
    FiveCards cards{};
    for (int slot = 0; slot < HandSize; ++slot) {
        const std::optional<int> card = CardOf(tokens[static_cast<std::size_t>(slot)]);
        if (!card) {
            return {std::nullopt, "\"" + std::string(tokens[static_cast<std::size_t>(slot)]) +
                                      "\" is not a card: ranks are A K Q J T 9 8 7 6 5 4 3 "
                                      "2, suits s h d c, as in \"Ah Kh Td 9s 2c\""};
        }
        cards[slot] = static_cast<std::int16_t>(*card);
        const bool repeated = std::count(cards.begin(), cards.begin() + slot, *card) > 0;
        if (repeated && game.deck == DeckRule::OneDeck) {
            return {std::nullopt, CardText(*card) + " is given twice, but " +
                                      std::string(game.title) + " deals from one deck"};
        }
    }
    return {cards, {}};
}

std::string DecimalText(const Fraction& fraction, int decimals) {
    std::string digits = ScaledDigits(fraction, decimals);
    if (decimals == 0) {
        return digits;
    }
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
    return digits;
}

std::string SignificantText(const Fraction& fraction, int digits) {
    if (fraction.numerator == 0) {
        return DecimalText(fraction, digits - 1);
    }
    // The first significant digit's place: 10^place <= value < 10^(place + 1).
    int place = 0;
    Wide scaled = fraction.numerator;
    for (; scaled < fraction.denominator; scaled *= 10) {
        --place;
    }
    for (Wide bound = Wide{fraction.denominator} * 10; scaled >= bound; bound *= 10) {
        ++place;
    }
    return DecimalText(fraction, std::max(0, digits - 1 - place));
}

std::string HoldsText(const Game& game, const FiveCards& cards) {
    std::ostringstream text;
    for (const HoldValue& hold : RankHolds(game, cards)) {
        std::string kept;
        for (int slot = 0; slot < HandSize; ++slot) {
            if ((hold.kept >> slot) & 1u) {
                kept += (kept.empty() ? "" : " ") + CardText(cards[slot]);
            }
        }
        const Fraction payback{hold.payback.total, hold.payback.denominator};
        text << (kept.empty() ? "none" : kept) << '\t' << DecimalText(payback, 10) << '\t'
             << FractionText(payback) << '\n';
    }
    return text.str();
}

std::string ReturnTableText(const Game& game) {
    const GameReturnTable table = ComputeGameReturnTable(game);
    std::ostringstream text;
    for (int hand : HandsByPay(game)) {
        const HandRule& rule = game.hands[static_cast<std::size_t>(hand)];
        text << rule.name << '\t' << rule.pay << '\t'
             << SignificantText(table.Probability(table.perfectPlay, hand), 15) << '\n';
    }
    const Fraction returned = table.Return(table.perfectPlay);
    text << "Return\t" << DecimalText(returned, 10) << '\t' << FractionText(returned) << '\n';
    return text.str();
}

bool IsAnalysisCommand(std::span<const std::string_view> args) {
    return !args.empty() && (args[0] == AnalyzeOption || args[0] == ReturnTableOption);
}

int RunAnalysisCommand(std::span<const std::string_view> args, std::ostream& out,
                       std::ostream& err) {
    const std::size_t wanted = !args.empty() && args[0] == AnalyzeOption ? 3 : 2;
    if (!IsAnalysisCommand(args) || args.size() != wanted) {
        err << Usage;
        return BadCommandLine;
    }
    const Game* game = FindGame(args[1]);
    if (game == nullptr) {
        err << "corvanta: there is no game \"" << args[1] << "\"; the games are " << GameList()
            << '\n';
        return BadCommandLine;
    }
    if (args[0] == AnalyzeOption) {
        return RunAnalyze(*game, args[2], out, err);
    }
    out << ReturnTableText(*game);
    return 0;
}

std::optional<int> AnswerCommandLine(std::span<const std::string_view> args,
                                     std::string_view version, std::ostream& out,
                                     std::ostream& err) {
    if (IsAnalysisCommand(args)) {
        return RunAnalysisCommand(args, out, err);
    }
    if (!args.empty() && args[0] == HelpOption) {
        out << HelpTextWithGames();
        return 0;
    }
    if (!args.empty() && args[0] == VersionOption) {
        out << version << '\n';
        return 0;
    }
    if (const std::optional<std::string> problem = NotToolkitOptions(args)) {
        err << "corvanta: " << *problem << "; corvanta --help lists the options\n";
        return BadCommandLine;
    }
    return std::nullopt;
}

} // namespace corvanta
