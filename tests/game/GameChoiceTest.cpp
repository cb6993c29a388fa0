// The game played: chosen between rounds, remembered in the settings, and the one that deals,
// pays, advises and grades the rounds.
#include "game/GameSession.h"

#include "settings/Settings.h"
#include "settings/basRegistry.h"
#include "support/GameCards.h"
#include "support/SavedFiles.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvanta {
namespace {

using test::Cards;

std::vector<int> CardList(const FiveCards& cards) {
    return {cards.begin(), cards.end()};
}

struct Session {
    test::TempFolder folder;
    test::ScriptedRandom random;
    GameSession session{{.bank = folder.Path(), .config = folder.Path()}, random};

    // Bets and deals `dealt` from the deck of the current game.
    void Deal(const char* bet, const FiveCards& dealt) {
        EXPECT_EQ(session.Bet(bet).status, BetStatus::Accepted);
        const bool oneDeck = session.CurrentGame().deck == DeckRule::OneDeck;
        random.Add(oneDeck ? test::OneDeckScript({}, CardList(dealt)) : CardList(dealt));
        EXPECT_EQ(session.Deal().outcome.step, DealStep::Dealt);
    }
    // Marks `marked` (in slot order) and draws the cards of `final` in their places.
    DealReport Draw(std::initializer_list<int> marked, const FiveCards& final) {
        std::vector<int> drawn;
        for (int slot : marked) {
            EXPECT_TRUE(session.ToggleDiscard(slot));
            drawn.push_back(final[slot]);
        }
        random.Add(test::OneDeckScript(CardList(session.GetTable().Hand), drawn));
        return session.Deal();
    }
    // What the last save point left on the disk, once the saving thread has written it.
    std::string SettingsText() {
        session.WaitForSaves();
        return test::ReadBytes(SettingsFilePath(folder.Path()));
    }
    std::string SavedGame() {
        session.WaitForSaves();
        return LoadSettings(folder.Path()).game;
    }
};

// A round of each one-deck game: dealt and drawn from the cards not on the table, named and
// paid by the game's own table (bet 10 from 100), and counted in the account as a classic
// round is (won, lost, played, amount won, amount lost, average gains).
TEST(GameChoice, ARoundIsDealtNamedAndPaidByTheChosenGame) {
    struct Row {
        const Game* game;
        const char* dealt;
        std::initializer_list<int> marked;
        const char* final;
        const char* lastHand;
        std::int64_t cash;
        AccountStatistics statistics;
    };
    const Row rows[] = {
        {&JacksOrBetter,
         "Ah 9h 6h 4h 2h",
         {},
         "Ah 9h 6h 4h 2h",
         "Flush",
         150,
         {1, 0, 1, 50, 0, 50}},
        {&JacksOrBetter,
         "Th Td 4c 7s 9d",
         {},
         "Th Td 4c 7s 9d",
         "Not a Winning Hand",
         90,
         {0, 1, 1, 0, 10, -10}},
        {&JacksOrBetter,
         "Jh Jd 4c 7s 9d",
         {},
         "Jh Jd 4c 7s 9d",
         "Jacks or Better",
         100,
         {1, 0, 1, 0, 0, 0}},
        {&JacksOrBetter,
         "Ah Kh Qh Jh 3c",
         {4},
         "Ah Kh Qh Jh Th",
         "Royal Flush",
         8090,
         {1, 0, 1, 7990, 0, 7990}},
        {&BonusPoker, "Ah 9h 6h 4h 2h", {}, "Ah 9h 6h 4h 2h", "Flush", 140, {1, 0, 1, 40, 0, 40}},
        {&BonusPoker,
         "7c Ad Ah 7s 9d",
         {0, 3},
         "Ac Ad Ah As 9d",
         "Four Aces",
         890,
         {1, 0, 1, 790, 0, 790}},
        {&DeucesWild,
         "2c 7h 7d Ks 4c",
         {},
         "2c 7h 7d Ks 4c",
         "Three of a Kind",
         100,
         {1, 0, 1, 0, 0, 0}},
        {&DeucesWild,
         "2c Kh Qh Jh 9s",
         {4},
         "2c Kh Qh Jh Ah",
         "Wild Royal Flush",
         340,
         {1, 0, 1, 240, 0, 240}},
        {&DeucesWild,
         "Jh Jd 4c 7s 9d",
         {},
         "Jh Jd 4c 7s 9d",
         "Not a Winning Hand",
         90,
         {0, 1, 1, 0, 10, -10}},
    };
    for (const Row& row : rows) {
        Session s;
        s.session.StartUp();
        ASSERT_TRUE(s.session.SetGame(*row.game));
        s.Deal("10", Cards(*row.game, row.dealt));
        const DealReport report = s.Draw(row.marked, Cards(*row.game, row.final));
        EXPECT_EQ(report.outcome.finalHand, Cards(*row.game, row.final)) << row.dealt;
        EXPECT_EQ(report.outcome.settlement.lastHand, row.lastHand) << row.dealt;
        EXPECT_EQ(s.session.GetTable().CashOnHand, row.cash) << row.dealt;
        EXPECT_EQ(report.statistics, row.statistics) << row.dealt;
        EXPECT_EQ(report.round.game, row.game) << row.dealt;
    }
}

// The game changes between rounds only: once the cards are dealt it is the round's until the
// draw. Every change is saved at once and played by the next start.
TEST(GameChoice, TheGameChangesBetweenRoundsOnlyAndIsRemembered) {
    Session s;
    s.session.StartUp();
    EXPECT_EQ(s.session.CurrentGame().key, "classic");
    EXPECT_TRUE(s.session.SetGame(JacksOrBetter));
    EXPECT_EQ(s.SavedGame(), "jacks-or-better");
    s.Deal("5", Cards(JacksOrBetter, "Ah 9h 6h 4h 2h"));
    EXPECT_FALSE(s.session.SetGame(DeucesWild));
    EXPECT_EQ(s.session.CurrentGame().key, "jacks-or-better");
    EXPECT_EQ(s.SavedGame(), "jacks-or-better");
    EXPECT_EQ(s.Draw({}, {}).outcome.settlement.lastHand, "Flush");
    EXPECT_TRUE(s.session.SetGame(DeucesWild));
    EXPECT_EQ(s.session.Bet("5").status, BetStatus::Accepted);
    EXPECT_TRUE(s.session.SetGame(BonusPoker)) << "a bet alone deals no card";

    // Its saves are on the disk before the next start, as an exit leaves them: a save of the
    // first session still under way would otherwise land after the second one's.
    s.session.WaitForSaves();
    GameSession next({.bank = s.folder.Path(), .config = s.folder.Path()}, s.random);
    next.StartUp();
    EXPECT_EQ(next.CurrentGame().key, "bonus-poker");
    EXPECT_TRUE(next.SetGame(Classic));
    next.WaitForSaves();
    EXPECT_NE(s.SettingsText().find("\"Game\"=\"classic\"\n"), std::string::npos);
}

// The Game value as the file holds it: a game's name plays that game; anything else plays the
// classic and stays in the file as it was through the saves, until the player chooses a game.
TEST(GameChoice, AStoredValueThatNamesNoGamePlaysTheClassicAndIsKept) {
    const std::string head = "Windows Registry Editor Version 5.00\n\n"
                             "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\n";
    const struct {
        const char* line;
        const char* game;
    } rows[] = {
        {"", "classic"},
        {"\"Game\"=\"deuces-wild\"\n", "deuces-wild"},
        {"\"Game\"=\"poker-2000\"\n", "classic"},
        {"\"Game\"=\"Deuces-Wild\"\n", "classic"},
        {"\"Game\"=dword:00000002\n", "classic"},
        {"\"Game\"=hex(1):6a,00\n", "classic"},
        {"\"Game\"=\"\"\n", "classic"},
    };
    for (const auto& row : rows) {
        Session s;
        ASSERT_TRUE(SaveSettingsFile({SettingsFilePath(s.folder.Path()), head + row.line}).ok);
        s.session.StartUp();
        EXPECT_EQ(s.session.CurrentGame().key, row.game) << row.line;
        EXPECT_EQ(s.session.Bet("5").status, BetStatus::Accepted); // a save
        const std::string saved = s.SettingsText();
        EXPECT_NE(saved.find("\"Current Money\"=dword:0000005f"), std::string::npos) << saved;
        EXPECT_NE(saved.find(row.line), std::string::npos) << saved;
        EXPECT_EQ(saved.find("Game") != std::string::npos, *row.line != '\0') << saved;
    }
}

// Mark Best Hold and the trainer's question go by the game played: a pair of kings against
// four hearts. The classic's flush pays 8 and its cards come from a full deck each, so the
// flush draw is the better; in Jacks or Better the kings are.
TEST(GameChoice, TheBestHoldAndTheTrainersQuestionAreTheGames) {
    struct Row {
        const Game* game;
        DiscardMarks best;
        DiscardMarks questioned; // marks the trainer asks about
    };
    const Row rows[] = {
        {&Classic, {false, true, false, false, false}, {false, false, true, true, true}},
        {&JacksOrBetter, {false, false, true, true, true}, {false, true, false, false, false}},
    };
    for (const Row& row : rows) {
        Session s;
        s.session.StartUp();
        s.session.SetTrainer(true);
        ASSERT_TRUE(s.session.SetGame(*row.game));
        s.Deal("5", Cards(*row.game, "Kh Kd 5h 8h 9h"));
        EXPECT_EQ(s.session.MarkBestHold(), row.best) << row.game->key;
        EXPECT_EQ(s.session.DrawNeedsConfirmation(), std::nullopt) << row.game->key;
        for (int slot = 0; slot < HandSize; ++slot) {
            if (s.session.GetTable().Discard[slot] != row.questioned[slot]) {
                s.session.ToggleDiscard(slot);
            }
        }
        EXPECT_NE(s.session.DrawNeedsConfirmation(), std::nullopt) << row.game->key;
    }
}

} // namespace
} // namespace corvanta
