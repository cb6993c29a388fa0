#include "engine/Round.h"

#include "engine/Limits.h"

namespace corvanta {

Settlement SettleHand(Table& table, Category category) {
    Settlement s = SettleHand(Classic, table, static_cast<int>(category));
    s.category = category;
    return s;
}

Settlement SettleHand(const Game& game, Table& table, int hand) {
    Settlement s;
    s.hand = hand;
    s.moneyBefore = table.CashOnHand;
    s.bet = table.BetAmount;
    const HandRule& rule = game.hands[static_cast<std::size_t>(hand)];
    s.lastHand = rule.name;
    s.won = rule.pay > 0;
    if (s.won) {
        s.paid = std::int64_t{rule.pay} * table.BetAmount;
        s.gain = std::int64_t{rule.pay - 1} * table.BetAmount;
        table.CashOnHand = AddMoney(table.CashOnHand, s.paid);
    } else {
        s.loss = table.BetAmount;
    }
    return s;
}

DealOutcome DealCommand(Table& table, RandomSource& random) {
    return DealCommand(Classic, table, random);
}

DealOutcome DealCommand(const Game& game, Table& table, RandomSource& random) {
    DealOutcome outcome;
    if (!Permitted(table).deal) {
        return outcome; // Deal is disabled between rounds
    }
    table.ShowBacks = false;
    if (table.DealState == DealStateCode::BetPlaced) {
        table.Hand.fill(table.CardBG); // no card is out of the deck yet
        table.Discard.fill(true);
        DealCards(game, table, random);
        table.DealState = DealStateCode::CardsDealt;
        outcome.step = DealStep::Dealt;
        return outcome;
    }
    outcome.dealtHand = table.Hand;
    outcome.discards = table.Discard;
    DealCards(game, table, random);
    outcome.step = DealStep::Drew;
    outcome.finalHand = table.Hand;
    if (game.recognition == Recognition::ClassicTests) {
        outcome.evaluation = EvaluateHand(table.Hand);
        outcome.settlement = SettleHand(table, outcome.evaluation.category);
    } else {
        outcome.settlement = SettleHand(game, table, RecogniseHand(game, table.Hand));
    }
    table.DealState = DealStateCode::WaitingForBet;
    table.BetAmount = 0;
    table.ShowBacks = true;
    table.Hand.fill(table.CardBG);
    table.finalHand = outcome.finalHand;
    table.finalHandShown = true;
    return outcome;
}

std::string BetRefusal(std::string_view shortfall) {
    return "You don't have enough money to make that bet! \rYou are " + std::string(shortfall) +
           " short.";
}

BetOutcome PlaceBet(Table& table, std::optional<std::int16_t> amount) {
    BetOutcome outcome;
    if (!Permitted(table).bet) {
        return outcome; // the bet of a round is fixed once the cards are out
    }
    if (!amount || *amount < MinimumBet) {
        return outcome;
    }
    if (*amount > table.CashOnHand) {
        outcome.status = BetStatus::Refused;
        outcome.shortfall = std::int64_t{*amount} - table.CashOnHand;
        return outcome;
    }
    outcome.status = BetStatus::Accepted;
    table.BetAmount = AddMoney(table.BetAmount, *amount);
    table.CashOnHand -= *amount;
    if (table.DealState == DealStateCode::WaitingForBet) {
        table.DealState = DealStateCode::BetPlaced;
        table.finalHandShown = false; // the last round's cards turn face down
        outcome.openedRound = true;
    }
    return outcome;
}

bool IsNumber(char16_t key) {
    return (key >= u'0' && key <= u'9') || key == 8;
}

} // namespace corvanta
