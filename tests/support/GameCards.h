#pragma once

#include "engine/CommandLine.h"

#include <gtest/gtest.h>

#include <string_view>

namespace corvanta::test {

// Five cards written as the command line takes them ("Ah Kh Td 9s 2c"); a card the game does
// not take fails the test that asked.
inline FiveCards Cards(const Game& game, std::string_view text) {
    const ParsedCards parsed = ParseCards(game, text);
    EXPECT_TRUE(parsed.cards.has_value()) << parsed.error;
    return parsed.cards.value_or(FiveCards{});
}

} // namespace corvanta::test
