#include "engine/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <vector>

namespace corvanta {
namespace {

struct Answer {
    int status = 0;
    std::string out;
    std::string err;
};

Answer RunWith(std::vector<std::string_view> args) {
    std::ostringstream out;
    std::ostringstream err;
    Answer run;
    run.status = RunAnalysisCommand(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(CommandLine, AnalyzeListsThe32HoldsBestFirstInTheOrderGiven) {
    const Answer run = RunWith({"--analyze", "jacks-or-better", "9c Jh Qh Kh Ah"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "Jh Qh Kh Ah\t18.5531914894\t872/47");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "9c Jh Qh Kh Ah\t0.0000000000\t0/1"),
              lines.end());
    EXPECT_EQ(Lines(RunWith({"--analyze", "classic", "Th Jh Qh Kh 2d"}).out)[0],
              "Th Jh Qh Kh\t5.3846153846\t70/13");
    EXPECT_EQ(Lines(RunWith({"--analyze", "deuces-wild", "2c Ah Kh Qh 7s"}).out)[0],
              "2c Ah Kh Qh\t3.4042553191\t160/47");
}

TEST(CommandLine, ReturnTableListsTheHandsByPayAndTheReturn) {
    const Answer run = RunWith({"--return-table", "bonus-poker"});
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0].substr(0, 16), "Royal Flush\t800\t");
    EXPECT_EQ(lines[1].substr(0, 13), "Four Aces\t80\t");
    EXPECT_EQ(lines[2].substr(0, 18), "Straight Flush\t50\t");
    EXPECT_EQ(lines[11].substr(0, 21), "Not a Winning Hand\t0\t");
    EXPECT_EQ(lines[12], "Return\t0.9916597319\t1647248502503/1661102543100");
}

// Bad input: a message on the error stream, nothing on the output, status 2.
TEST(CommandLine, BadInputIsAClearErrorAndStatus2) {
    struct Row {
        std::vector<std::string_view> args;
        const char* message; // a part of it
    };
    const Row rows[] = {
        {{"--analyze", "blackjack", "Ah Kh Td 9s 2c"},
         "there is no game \"blackjack\"; the games are classic, jacks-or-better, bonus-poker, "
         "deuces-wild"},
        {{"--return-table", "Jacks-Or-Better"}, "there is no game \"Jacks-Or-Better\""},
        {{"--analyze", "classic", "Ah Kh Td 9s"}, "4 cards given"},
        {{"--analyze", "classic", "Ah Kh Td 9s 2c 3c"}, "6 cards given"},
        {{"--analyze", "classic", ""}, "0 cards given"},
        {{"--analyze", "classic", "Ah Kh 10d 9s 2c"}, "\"10d\" is not a card"},
        {{"--analyze", "classic", "Ah Kh Tx 9s 2c"}, "\"Tx\" is not a card"},
        {{"--analyze", "classic", "Ah Kh 1d 9s 2c"}, "\"1d\" is not a card"},
        {{"--analyze", "jacks-or-better", "Ah Kh Td Ah 2c"},
         "Ah is given twice, but Jacks or Better 9/6 deals from one deck"},
        {{"--analyze", "classic"}, "usage: corvanta --analyze GAME \"CARDS\""},
        {{"--analyze", "classic", "Ah Kh Td 9s 2c", "more"}, "usage:"},
        {{"--return-table"}, "usage:"},
        {{"--return-table", "classic", "Ah"}, "usage:"},
    };
    for (const Row& row : rows) {
        const Answer run = RunWith(row.args);
        EXPECT_EQ(run.status, 2) << row.message;
        EXPECT_EQ(run.out, "") << row.message;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(RunWith({"--analyze", "classic", "Ah Ah Ah Ah Ah"}).status, 0); // with replacement
}

TEST(CommandLine, OnlyItsOwnOptionsAreTakenFromTheGame) {
    const std::vector<std::string_view> none;
    const std::vector<std::string_view> qt = {"-platform", "offscreen"};
    const std::vector<std::string_view> analyze = {"--analyze"};
    EXPECT_FALSE(IsAnalysisCommand(none));
    EXPECT_FALSE(IsAnalysisCommand(qt));
    EXPECT_TRUE(IsAnalysisCommand(analyze));
}

// --help and --version answer on the output; the toolkit's own options start the game (no
// status); anything else is an error naming the argument, and status 2.
TEST(CommandLine, HelpVersionTheToolkitsOptionsAndNothingElse) {
    struct Row {
        std::vector<std::string_view> args;
        std::optional<int> status; // none: the game starts
        const char* out;           // the start of it
        const char* err;           // all of it
    };
    const char* const unknown = "; corvanta --help lists the options\n";
    const Row rows[] = {
        {{}, std::nullopt, "", ""},
        {{"-platform", "offscreen"}, std::nullopt, "", ""},
        {{"--platform", "offscreen", "-reverse"}, std::nullopt, "", ""},
        {{"-style=fusion", "-session", "10abc_1"}, std::nullopt, "", ""},
        {{"--help"}, 0, "Usage: corvanta [OPTION]\nFive-card draw poker", ""},
        {{"--version"}, 0, "Corvanta 9.9\nQt 6\n", ""},
        {{"--verbose"}, 2, "", "corvanta: unknown option \"--verbose\""},
        {{"-h"}, 2, "", "corvanta: unknown option \"-h\""},
        {{"-platform", "offscreen", "--fullscreen"},
         2,
         "",
         "corvanta: unknown option \"--fullscreen\""},
        {{"gbank.db"}, 2, "", "corvanta: unexpected argument \"gbank.db\""},
        {{"-reverse=yes"}, 2, "", "corvanta: unknown option \"-reverse=yes\""},
        {{"-style"}, 2, "", "corvanta: -style needs a value"},
        {{"-"}, 2, "", "corvanta: unknown option \"-\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.empty() ? "" : row.args.back());
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(AnswerCommandLine(row.args, "Corvanta 9.9\nQt 6", out, err), row.status);
        EXPECT_EQ(out.str().substr(0, std::string_view(row.out).size()), row.out);
        EXPECT_EQ(err.str(), row.err[0] == '\0' ? "" : row.err + std::string(unknown));
    }
    // The help names the games and how to write the cards.
    std::ostringstream help;
    std::ostringstream none;
    AnswerCommandLine(std::vector<std::string_view>{"--help"}, "", help, none);
    EXPECT_NE(help.str().find("GAME is one of: classic, jacks-or-better, bonus-poker, "
                              "deuces-wild.\n"),
              std::string::npos);
    EXPECT_NE(help.str().find("  --analyze GAME \"CARDS\"  print the 32 holds"), std::string::npos);
    EXPECT_NE(help.str().find("  --version               print the version and exit\n"),
              std::string::npos);
}

// Rounded to nearest, halves up, from the exact fraction.
TEST(CommandLine, FractionsAreWrittenExactlyRounded) {
    struct Row {
        Fraction fraction;
        int decimals;
        const char* text;
    };
    for (const Row& row : {Row{{1, 3}, 10, "0.3333333333"}, Row{{2, 3}, 10, "0.6666666667"},
                           Row{{1, 8}, 2, "0.13"}, Row{{200, 1}, 3, "200.000"},
                           Row{{19, 2}, 0, "10"}, Row{{999'999, 1'000'000}, 3, "1.000"}}) {
        EXPECT_EQ(DecimalText(row.fraction, row.decimals), row.text);
    }
    for (const Row& row : {Row{{1, 3}, 15, "0.333333333333333"}, Row{{1, 40'000}, 3, "0.0000250"},
                           Row{{1, 1}, 3, "1.00"}, Row{{123'456'789, 1000}, 5, "123457"}}) {
        EXPECT_EQ(SignificantText(row.fraction, row.decimals), row.text);
    }
}

} // namespace
} // namespace corvanta
