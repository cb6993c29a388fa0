#include "engine/CommandLine.h"
#include "engine/Game.h"
#include "engine/Round.h"

#include "support/GameCards.h"

#include <gtest/gtest.h>

#include <deque>

namespace corvanta {
namespace {

using test::Cards;

// Card numbers: rank (the ace 0 .. the king 12) times four plus the suit (clubs 0, diamonds 1,
// hearts 2, spades 3), the numbers the card pictures are drawn by.
TEST(ParseCards, NamesTheCardNumbersOfTheDeck) {
    EXPECT_EQ(Cards(JacksOrBetter, "Ac Ad Ah As 2c"), (FiveCards{0, 1, 2, 3, 4}));
    EXPECT_EQ(Cards(JacksOrBetter, "Ks Qh Jd Tc 9s"), (FiveCards{51, 46, 41, 36, 35}));
    EXPECT_EQ(Cards(JacksOrBetter, " ks\tqH jd  TC 9S "), (FiveCards{51, 46, 41, 36, 35}));
    EXPECT_EQ(CardText(51), "Ks");
    EXPECT_EQ(CardText(36), "Tc");
    // The classic deals every card from a full deck: the same card may come twice.
    EXPECT_EQ(Cards(Classic, "7h 7h 7h 7h 7h"), (FiveCards{26, 26, 26, 26, 26}));
}

struct RuleRow {
    const Game* game;
    const char* cards;
    const char* hand; // its name in the game
    int pay;
};

// Every hand of every game, by cards a player would recognise, with its name and pay.
TEST(Games, RecogniseAndPayEveryHand) {
    const Game* const jb = &JacksOrBetter;
    const Game* const bp = &BonusPoker;
    const Game* const dw = &DeucesWild;
    const RuleRow rows[] = {
        {jb, "Th Tc 3d 5s 8h", "Not a Winning Hand", 0}, // tens do not pay
        {jb, "Jh Jc 3d 5s 8h", "Jacks or Better", 1},
        {jb, "3h Ac 4d 5s As", "Jacks or Better", 1},
        {jb, "3h 3c 8d 8s Kh", "Two Pair", 2},
        {jb, "4h 4c 4d 9s Kh", "Three of a Kind", 3},
        {jb, "Ah 2c 3d 4s 5h", "Straight", 4},           // the ace plays low
        {jb, "Th Jc Qd Ks Ah", "Straight", 4},           // and high
        {jb, "Qh Kc Ad 2s 3h", "Not a Winning Hand", 0}, // but does not turn the corner
        {jb, "2h 5h 8h Jh Kh", "Flush", 6},
        {jb, "9h 9c 9d Ks Kh", "Full House", 9},
        {jb, "6h 6c 6d 6s Kh", "Four of a Kind", 25},
        {jb, "Ad 2d 3d 4d 5d", "Straight Flush", 50},
        {jb, "Ts Js Qs Ks As", "Royal Flush", 800},
        {bp, "2h 5h 8h Jh Kh", "Flush", 5},
        {bp, "9h 9c 9d Ks Kh", "Full House", 8},
        {bp, "5h 5c 5d 5s Kh", "Four 5s-Ks", 25},
        {bp, "Kh Kc Kd Ks 2h", "Four 5s-Ks", 25},
        {bp, "4h 4c 4d 4s Kh", "Four 2s-4s", 40},
        {bp, "2h 2c 2d 2s Kh", "Four 2s-4s", 40},
        {bp, "Ah Ac Ad As Kh", "Four Aces", 80},
        {bp, "Qh Qc 7d 5s 8h", "Jacks or Better", 1},
        {bp, "Th Jh Qh Kh Ah", "Royal Flush", 800},
        {dw, "Kh Kc 3d 5s 8h", "Not a Winning Hand", 0}, // no pair pays
        {dw, "2c 5h 5d 9s Kc", "Three of a Kind", 1},    // a deuce makes the third five
        {dw, "2c 3h 4d 5s 7c", "Straight", 2},
        {dw, "2c 2h 4d 5s 7c", "Straight", 2},
        {dw, "2h 5h 8h Jh Kh", "Flush", 2},
        {dw, "2c 5h 5d 9s 9c", "Full House", 3},
        {dw, "2c 2h 5d 9s 9c", "Four of a Kind", 5},
        {dw, "7c 7h 7d 7s Kc", "Four of a Kind", 5},
        {dw, "2h 5h 6h 7h 9h", "Straight Flush", 9},
        {dw, "2c 2h 2d 7s 7c", "Five of a Kind", 15},
        {dw, "2c Ah Kh Qh Jh", "Wild Royal Flush", 25},
        {dw, "2c 2h 2d 2s 7c", "Four Deuces", 200},
        {dw, "Ah Kh Qh Jh Th", "Natural Royal Flush", 800},
        {dw, "2c 5h 8d Js Kc", "Not a Winning Hand", 0},
    };
    for (const RuleRow& row : rows) {
        const int hand = RecogniseHand(*row.game, Cards(*row.game, row.cards));
        const HandRule& rule = row.game->hands[static_cast<std::size_t>(hand)];
        EXPECT_EQ(rule.name, row.hand) << row.game->key << ": " << row.cards;
        EXPECT_EQ(rule.pay, row.pay) << row.game->key << ": " << row.cards;
    }
}

// The classic keeps its own tests: a full house of one suit (a card dealt twice) is a flush,
// and the ace plays high only.
TEST(Games, TheClassicKeepsItsRules) {
    const RuleRow rows[] = {
        {&Classic, "9h 9h 9h Kh Kh", "Flush", 8},
        {&Classic, "Ah 2c 3d 4s 5h", "Not a Winning Hand", 0},
        {&Classic, "3h 3c 8d 5s Kh", "One Pair", 1},
        {&Classic, "7h 7h 7h 7h 7h", "Five of a Kind", 40},
    };
    for (const RuleRow& row : rows) {
        const int hand = RecogniseHand(Classic, Cards(Classic, row.cards));
        EXPECT_EQ(Classic.hands[static_cast<std::size_t>(hand)].name, row.hand) << row.cards;
        EXPECT_EQ(Classic.hands[static_cast<std::size_t>(hand)].pay, row.pay) << row.cards;
    }
}

TEST(Games, AreFoundByTheirNames) {
    EXPECT_EQ(FindGame("classic"), &Classic);
    EXPECT_EQ(FindGame("jacks-or-better"), &JacksOrBetter);
    EXPECT_EQ(FindGame("bonus-poker"), &BonusPoker);
    EXPECT_EQ(FindGame("deuces-wild"), &DeucesWild);
    EXPECT_EQ(FindGame("Jacks-or-Better"), nullptr);
    EXPECT_EQ(FindGame(""), nullptr);
    EXPECT_EQ(AllGames().front(), &Classic); // the default
}

// A random source of given numbers in [0, 1).
class FixedRandom final : public RandomSource {
public:
    explicit FixedRandom(std::initializer_list<double> numbers) : numbers_(numbers) {}
    void Reseed() override {}
    double Next() override {
        const double next = numbers_.front();
        numbers_.pop_front();
        return next;
    }

private:
    std::deque<double> numbers_;
};

// One deck: a card is picked among those not on the table, in card order, and the discards
// stay out of the deck during the draw.
TEST(OneDeckRound, DealsAndDrawsFromTheCardsNotOnTheTable) {
    Table table;
    table.CashOnHand = 100;
    ResetTable(table);
    PlaceBet(table, 10);
    FixedRandom deal{0.0, 0.0, 0.0, 0.0, 0.999};
    ASSERT_EQ(DealCommand(JacksOrBetter, table, deal).step, DealStep::Dealt);
    EXPECT_EQ(table.Hand, Cards(JacksOrBetter, "Ac Ad Ah As Ks")); // 0, 0, 0, 0 of 52..49
    ToggleDiscard(table, 0);
    ToggleDiscard(table, 4);
    // Of the 47 left the first is the 2c; then of the 46 left the first is the 2d: the ace of
    // clubs, discarded, is not dealt again.
    FixedRandom draw{0.0, 0.0};
    const DealOutcome outcome = DealCommand(JacksOrBetter, table, draw);
    EXPECT_EQ(outcome.finalHand, Cards(JacksOrBetter, "2c Ad Ah As 2d"));
    EXPECT_EQ(outcome.settlement.lastHand, "Full House");
    EXPECT_EQ(outcome.settlement.hand, 6);
    EXPECT_EQ(outcome.settlement.paid, 90);
    EXPECT_EQ(table.CashOnHand, 180);
    EXPECT_EQ(table.Hand, (FiveCards{63, 63, 63, 63, 63}));
}

// The pays of the games' own hands, times the bet, in the settlement.
TEST(OneDeckRound, SettlesByTheGamesPays) {
    struct Row {
        const Game* game;
        int hand;
        std::int64_t paid, gain, loss;
        const char* lastHand;
    };
    for (const Row& row : {Row{&JacksOrBetter, 5, 30, 25, 0, "Flush"},
                           Row{&JacksOrBetter, 1, 5, 0, 0, "Jacks or Better"},
                           Row{&JacksOrBetter, 0, 0, 0, 5, "Not a Winning Hand"},
                           Row{&BonusPoker, 10, 400, 395, 0, "Four Aces"},
                           Row{&DeucesWild, 9, 1000, 995, 0, "Four Deuces"},
                           Row{&DeucesWild, 10, 4000, 3995, 0, "Natural Royal Flush"}}) {
        Table table;
        table.CashOnHand = 95;
        table.BetAmount = 5;
        const Settlement s = SettleHand(*row.game, table, row.hand);
        EXPECT_EQ(s.lastHand, row.lastHand);
        EXPECT_EQ(s.paid, row.paid) << row.lastHand;
        EXPECT_EQ(s.gain, row.gain) << row.lastHand;
        EXPECT_EQ(s.loss, row.loss) << row.lastHand;
        EXPECT_EQ(table.CashOnHand, 95 + row.paid) << row.lastHand;
    }
}

} // namespace
} // namespace corvanta
