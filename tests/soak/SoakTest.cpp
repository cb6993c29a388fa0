// A hundred thousand scripted rounds through the engine and the bank: bets, deals, draws,
// deposits, withdrawals, loans, switches and new accounts, chosen by a seeded script. The test
// keeps its own books and compares them with the game's after every round: money changes only
// by what the game says it paid, stakes, loans and new accounts' money; each payout is what the
// test's reference pays for the final hand; statistics are what the rounds made them (the first
// account starts near the limits, where they must stop, never wrap).
#include "bank/Accounts.h"
#include "bank/ChangeAccount.h"
#include "bank/Statistics.h"
#include "storage/DecimalText.h"
#include "support/ReferenceAdvisor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <iostream>
#include <limits>
#include <random>
#include <stdexcept>

namespace corvanta {
namespace {

constexpr long Rounds = 100'000;
constexpr std::int64_t CountLimit = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t MoneyLimit = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t NearTheLimit = MoneyLimit - 200'000;

// What the test expects of one account: the true counts, not stopped at any limit.
struct Books {
    std::string name;
    std::int64_t savings = 0, played = 0, won = 0, lost = 0, amountWon = 0, amountLost = 0;
};

struct Soak {
    explicit Soak(std::uint64_t seed) : script(seed) {
        bank.AccountCount = 1; // a first run's bank: "Default" with $100
        AccountRecord& veteran = bank.AccountTable[1];
        AssignText(veteran.Name, "Default");
        veteran.Savings = 100;
        veteran.RoundsPlayed = veteran.RoundsWon = veteran.RoundsLost = 32'600;
        veteran.AmountWon = veteran.AmountLost = NearTheLimit;
        books.push_back({"Default", 100, 32'600, 32'600, 32'600, NearTheLimit, NearTheLimit});
        table.CashOnHand = 100;
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(script); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }
    void Require(bool condition, const char* what) const {
        if (!condition) {
            throw std::runtime_error("round " + std::to_string(round) + ": " + what);
        }
    }
    Books& Current() { return books[static_cast<std::size_t>(bank.GCNum - 1)]; }

    void PlayRound() {
        if (Chance(3)) {
            SwitchAccount();
        }
        for (const bool deposit : {true, false}) {
            if (Chance(6)) {
                Transfer(deposit);
            }
        }
        if (cash < 5) {
            EnsureCashForABet();
        }
        std::int64_t staked = 0;
        for (int bets = Pick(1, 3); bets > 0 && cash >= 5; --bets) {
            const int amount = Pick(5, static_cast<int>(std::min<std::int64_t>(cash, 500)));
            const BetOutcome bet = PlaceBet(table, ConvertAmount(std::to_string(amount)));
            Require(bet.status == BetStatus::Accepted, "a bet within the cash was refused");
            cash -= amount;
            staked += amount;
        }
        Require(table.CashOnHand == cash && table.BetAmount == staked,
                "the stakes did not move from the cash into the bet");
        Require(DealCommand(table, random).step == DealStep::Dealt, "no deal");
        for (int slot = 0; slot < HandSize; ++slot) {
            if (Chance(40)) {
                ToggleDiscard(table, slot);
            }
        }
        const DealOutcome draw = DealCommand(table, random);
        Require(draw.step == DealStep::Drew, "no draw");
        RecordRound(CurrentAccount(bank), draw.settlement);
        Settle(draw, staked);
    }

    // What the game says it paid must be what the test's own reference pays for the final hand.
    // The books then follow the money: the cash grows by exactly that amount; a round that paid
    // anything is won and gains the payout less the stake, any other loses the stake.
    void Settle(const DealOutcome& draw, std::int64_t staked) {
        const std::int64_t paid = draw.settlement.paid;
        Require(paid == test::ReferencePayout(draw.finalHand) * staked, "the payout");
        Books& account = Current();
        cash += paid;
        ++account.played;
        ++(paid > 0 ? account.won : account.lost);
        (paid > 0 ? account.amountWon : account.amountLost) += paid > 0 ? paid - staked : staked;
    }

    // Cash below the minimum bet: a withdrawal from the savings, or the loan.
    void EnsureCashForABet() {
        Books& account = Current();
        if (account.savings > 5 - cash) {
            const auto amount = std::min<std::int64_t>(account.savings - 1, Pick(5, 500));
            const auto outcome =
                Withdraw(table, bank, std::to_string(amount), AmountSource::Prompt);
            Require(outcome.status == TransferStatus::Moved, "a withdrawal for a bet failed");
            account.savings -= amount;
            cash += amount;
        } else {
            Require(ShouldOfferLoan(table, CurrentAccount(bank)), "no loan for an empty player");
            TakeLoan(table, bank);
            account.savings = cash = 25;
            ++loans;
        }
    }

    // A deposit or withdrawal of a scripted amount, sometimes all there is, which is refused.
    void Transfer(bool deposit) {
        Books& account = Current();
        const std::int64_t from = deposit ? cash : account.savings;
        const int amount = Pick(0, static_cast<int>(std::clamp<std::int64_t>(from + 10, 0, 32767)));
        const TransferOutcome outcome =
            deposit ? Deposit(table, bank, std::to_string(amount))
                    : Withdraw(table, bank, std::to_string(amount), AmountSource::BankBox);
        Require(outcome.status ==
                    (amount >= from ? TransferStatus::Refused : TransferStatus::Moved),
                "a transfer was refused or made wrongly");
        if (amount < from) {
            cash += deposit ? -amount : amount;
            account.savings += deposit ? amount : -amount;
        }
    }

    // Change Account: an existing name typed in capitals between blanks, or a new one.
    void SwitchAccount() {
        const int count = static_cast<int>(books.size());
        const bool create = count < 8 && Chance(40);
        const int wanted = create ? count : Pick(0, count - 1);
        const std::string name = create ? "Player " + std::to_string(count) : books[wanted].name;
        std::string typed = " " + name + "  ";
        std::transform(typed.begin(), typed.end(), typed.begin(), ::toupper);
        ChangeAccountDialogue dialogue(table, bank);
        dialogue.Begin();
        if (dialogue.Next({.text = create ? name : typed}).kind == Question::Kind::YesNo) {
            dialogue.Next({.text = {}, .yes = true});
            books.push_back({name, 50});
            cash = 50;
        }
        Require(bank.GCNum == wanted + 1, "the current account did not change");
    }

    // The money changes only as the books say, and every account is what its rounds made it.
    void CheckBooks() {
        Require(table.CashOnHand == cash && table.BetAmount == 0, "money at the table");
        Require(bank.AccountCount == static_cast<int>(books.size()), "the number of accounts");
        for (int slot = 1; slot <= bank.AccountCount; ++slot) {
            const AccountRecord& a = bank.AccountTable[slot];
            const Books& b = books[static_cast<std::size_t>(slot - 1)];
            Require(a.Savings == b.savings, "money in the bank");
            Require(a.RoundsPlayed == std::min(b.played, CountLimit) &&
                        a.RoundsWon == std::min(b.won, CountLimit) &&
                        a.RoundsLost == std::min(b.lost, CountLimit),
                    "an account's round counters");
            Require(a.AmountWon == std::min(b.amountWon, MoneyLimit) &&
                        a.AmountLost == std::min(b.amountLost, MoneyLimit),
                    "an account's amounts won and lost");
        }
    }

    std::mt19937_64 script;
    std::uint64_t time = 0;
    // The game's own random source, on a clock that moves on by a scripted step at every deal.
    TimeSeededRandom random{[this] {
        time = (time + 1 + script() % 5'000'000) % 86'400'000'000;
        return std::chrono::microseconds(time);
    }};
    Table table;
    Bank bank;
    std::vector<Books> books;
    std::int64_t cash = 100; // the test's own count of the cash at the table
    long round = 0;
    long loans = 0;
};

TEST(Soak, AHundredThousandRoundsKeepTheBooks) {
    Soak soak(20240607);
    try {
        for (soak.round = 1; soak.round <= Rounds; ++soak.round) {
            soak.PlayRound();
            soak.CheckBooks();
        }
    } catch (const std::exception& failure) {
        FAIL() << failure.what();
    }
    std::cout << Rounds << " rounds, " << soak.loans << " loans, " << soak.books.size()
              << " accounts\n";
    EXPECT_GT(soak.loans, 0);
}

} // namespace
} // namespace corvanta
