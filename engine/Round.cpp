#include "engine/Round.h"

#include "engine/Limits.h"

namespace corvanta {

Settlement SettleHand(Table& table, Category category) {
    Settlement s;
    s.category = category;
    s.moneyBefore = table.CashOnHand;
    s.bet = table.BetAmount;
    const Payoff& payoff = PayoffFor(category);
    s.lastHand = payoff.lastHand;
    s.won = payoff.multiplier > 0;
    if (s.won) {
        s.paid = std::int64_t{payoff.multiplier} * table.BetAmount;
        s.gain = std::int64_t{payoff.multiplier - 1} * table.BetAmount;
        table.CashOnHand = AddMoney(table.CashOnHand, s.paid);
    } else {
        s.loss = table.BetAmount;
    }
    return s;
}

DealOutcome DealCommand(Table& table, RandomSource& random) {
    DealOutcome outcome;
    if (!Permitted(table).deal) {
        return outcome; // Deal is disabled between rounds
    }
    table.ShowBacks = false;
    if (table.DealState == DealStateCode::BetPlaced) {
        table.Discard.fill(true);
        DealCards(table, random);
        table.DealState = DealStateCode::CardsDealt;
        outcome.step = DealStep::Dealt;
        return outcome;
    }
    outcome.dealtHand = table.Hand;
    outcome.discards = table.Discard;
    DealCards(table, random);
    outcome.step = DealStep::Drew;
    outcome.finalHand = table.Hand;
    outcome.evaluation = EvaluateHand(table.Hand);
    outcome.settlement = SettleHand(table, outcome.evaluation.category);
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
