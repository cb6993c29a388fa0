#include "engine/Round.h"

#include "engine/Amount.h"
#include "engine/Format.h"
#include "engine/Limits.h"

namespace corvanta {

Settlement SettleHand(Table& table, AccountRecord& account, Category category) {
    Settlement s;
    s.category = category;
    s.moneyBefore = table.CashOnHand;
    s.bet = table.BetAmount;
    const Payoff& payoff = PayoffFor(category);
    s.lastHand = payoff.lastHand;
    if (payoff.multiplier > 0) {
        s.paid = std::int64_t{payoff.multiplier} * table.BetAmount;
        table.CashOnHand = AddMoney(table.CashOnHand, s.paid);
        account.RoundsWon = CountUp(account.RoundsWon);
        account.AmountWon =
            AddMoney(account.AmountWon, std::int64_t{payoff.multiplier - 1} * table.BetAmount);
    } else {
        account.RoundsLost = CountUp(account.RoundsLost);
        account.AmountLost = AddMoney(account.AmountLost, table.BetAmount);
    }
    return s;
}

bool ShouldOfferLoan(const Table& table, const AccountRecord& account) {
    return account.Savings < 20 && table.CashOnHand < 20;
}

DealOutcome DealCommand(Table& table, Bank& bank, RandomSource& random) {
    DealOutcome outcome;
    if (table.DealState == DealStateCode::WaitingForBet) {
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
    DealCards(table, random);
    outcome.step = DealStep::Drew;
    outcome.finalHand = table.Hand;
    AccountRecord& account = CurrentAccount(bank);
    outcome.evaluation = EvaluateHand(table.Hand);
    outcome.settlement = SettleHand(table, account, outcome.evaluation.category);
    account.RoundsPlayed = CountUp(account.RoundsPlayed);
    table.DealState = DealStateCode::WaitingForBet;
    table.BetAmount = 0;
    table.ShowBacks = true;
    table.Hand.fill(table.CardBG);
    outcome.offerLoan = ShouldOfferLoan(table, account);
    return outcome;
}

BetOutcome PlaceBet(Table& table, std::string_view amountText) {
    BetOutcome outcome;
    if (table.DealState == DealStateCode::CardsDealt) {
        return outcome; // the bet of a round is fixed once the cards are out
    }
    const auto amount = ConvertAmount(amountText);
    if (!amount || *amount < MinimumBet) {
        return outcome;
    }
    if (*amount > table.CashOnHand) {
        outcome.status = BetStatus::Refused;
        outcome.message = "You don't have enough money to make that bet! \rYou are " +
                          MoneyText(std::int64_t{*amount} - table.CashOnHand) + " short.";
        return outcome;
    }
    outcome.status = BetStatus::Accepted;
    table.BetAmount = AddMoney(table.BetAmount, *amount);
    table.CashOnHand -= *amount;
    if (table.DealState == DealStateCode::WaitingForBet) {
        table.DealState = DealStateCode::BetPlaced;
        outcome.openedRound = true;
    }
    return outcome;
}

} // namespace corvanta
