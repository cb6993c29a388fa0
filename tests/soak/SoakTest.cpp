// One million scripted rounds through the engine and the bank in one process: bets, deals,
// draws, deposits, withdrawals, loans, account switches and new accounts, chosen by a seeded
// script. The test keeps its own books beside the game's and compares them after every round:
// the money at the table and in the bank changes only by payouts, stakes, loans and the money
// of new accounts, every account's statistics are what its rounds made them (counters stopping
// at 32767), and a save and reload reproduces every account.
#include "bank/Accounts.h"
#include "bank/BankFile.h"
#include "bank/ChangeAccount.h"
#include "bank/Statistics.h"
#include "engine/Round.h"
#include "settings/Settings.h"
#include "storage/DecimalText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <iostream>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvanta {
namespace {

constexpr long Rounds = 1'000'000;
constexpr int Accounts = 20; // "Default" and up to 19 players
constexpr int MaxBet = 500;  // per bet; at most three bets a round
constexpr int LowestBet = 5;
constexpr std::int64_t FirstRunCash = 100;
constexpr std::int64_t DefaultSavings = 100;
constexpr std::int64_t NewAccountCash = 50;
constexpr std::int64_t LoanAmount = 25;
constexpr int16_t CounterLimit = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t MoneyLimit = std::numeric_limits<std::int32_t>::max();

// What the test expects of one account.
struct Books {
    std::string name;
    std::int64_t savings = 0;
    std::int64_t played = 0; // rounds, not yet stopped at the limit
    std::int64_t won = 0;
    std::int64_t lost = 0;
    std::int64_t amountWon = 0;
    std::int64_t amountLost = 0;
};

// What happened, for the summary line.
struct Tally {
    long bets = 0, refusedBets = 0, ignoredBets = 0, wins = 0, deposits = 0, withdrawals = 0,
         refusedTransfers = 0, loans = 0, switches = 0, newAccounts = 0, ignoredCommands = 0;
    std::int64_t staked = 0, paid = 0;
};

class Soak {
public:
    explicit Soak(std::uint64_t seed) : script_(seed), random_([this] { return NextTime(); }) {
        LoadBank(bank_, folder_.Path()); // an empty folder: "Default" with $100
        ResetTable(table_);
        table_.CashOnHand = FirstRunCash; // the start-up's cash on a first run
        books_.push_back({"Default", DefaultSavings});
        ledger_ = Total();
    }

    void Play(long rounds) {
        for (round_ = 1; round_ <= rounds; ++round_) {
            PlayRound();
            CheckBooks();
            if (round_ % 100'000 == 0) {
                CheckSaveAndReload();
            }
        }
        CheckSaveAndReload();
    }

    const Tally& Counts() const { return tally_; }
    long LimitedAccounts() const {
        long limited = 0;
        for (const Books& books : books_) {
            limited += books.played >= CounterLimit ? 1 : 0;
        }
        return limited;
    }

private:
    // ---- The script ----------------------------------------------------------------------

    int Pick(int low, int high) { // inclusive
        return std::uniform_int_distribution<int>(low, high)(script_);
    }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

    // The clock of the game's random source: microseconds since midnight that move on by
    // a scripted step at every reseed, so the deals are many and repeatable.
    std::chrono::microseconds NextTime() {
        time_ = (time_ + 1 + script_() % 5'000'000) % 86'400'000'000;
        return std::chrono::microseconds(time_);
    }

    // An amount as a player types it: plain, with blanks, with a sign or a fraction that
    // rounds half to even. Returns the text and the whole number it stands for.
    std::pair<std::string, std::int64_t> Typed(std::int64_t amount) {
        switch (Pick(0, 5)) {
        case 0:
            return {"  " + std::to_string(amount) + "\t", amount};
        case 1:
            return {"+" + std::to_string(amount), amount};
        case 2: // n - 1 + 0.5 rounds to the even one of n - 1 and n
            return {std::to_string(amount - 1) + ".5", amount % 2 == 0 ? amount : amount - 1};
        default:
            return {std::to_string(amount), amount};
        }
    }

    void Fail(const std::string& what) const {
        throw std::runtime_error("round " + std::to_string(round_) + ": " + what);
    }
    void Require(bool condition, const char* what) const {
        if (!condition) {
            Fail(what);
        }
    }

    Books& Current() { return books_[static_cast<std::size_t>(bank_.GCNum - 1)]; }

    std::int64_t Total() const {
        std::int64_t total = std::int64_t{table_.CashOnHand} + table_.BetAmount;
        for (int slot = 1; slot <= bank_.AccountCount; ++slot) {
            total += bank_.AccountTable[slot].Savings;
        }
        return total;
    }

    // ---- One round -------------------------------------------------------------------------

    void PlayRound() {
        if (Chance(3)) {
            SwitchAccount();
        }
        if (Chance(6)) {
            Transfer(true);
        }
        if (Chance(6)) {
            Transfer(false);
        }
        if (Chance(2)) {
            // Deal between rounds, a bet that is not a number or below the minimum: ignored.
            ++tally_.ignoredCommands;
            const std::int64_t before = Total();
            Require(DealCommand(table_, random_).step == DealStep::Ignored,
                    "Deal between rounds was not ignored");
            const char* junk[] = {"", "abc", "4", "-10", "1e3", "99999"};
            Require(PlaceBet(junk[Pick(0, 5)]).status == BetStatus::Ignored,
                    "an unusable bet was not ignored");
            Require(Total() == before && table_.BetAmount == 0, "an ignored command moved money");
        }
        EnsureCashForABet();

        const int bets = Pick(1, 3);
        for (int n = 0; n < bets; ++n) {
            Bet(n == 0);
        }
        const std::int64_t staked = bet_;
        Require(table_.BetAmount == staked, "the bet at the table");
        Require(DealCommand(table_, random_).step == DealStep::Dealt, "no deal");
        const FiveCards dealt = table_.Hand;
        for (std::int16_t card : dealt) {
            Require(card >= 0 && card < CardCount, "a dealt card is off the deck");
        }
        DiscardMarks marked{};
        for (int slot = 0; slot < HandSize; ++slot) {
            marked[slot] = Chance(40);
            if (marked[slot]) {
                Require(ToggleDiscard(table_, slot), "a dealt card could not be marked");
            }
        }
        if (Chance(2)) {
            Require(PlaceBet("5").status == BetStatus::Ignored,
                    "a bet with the cards out was not ignored");
        }

        // The draw, and the round counted in the current account, as the game does it.
        const DealOutcome draw = DealCommand(table_, random_);
        Require(draw.step == DealStep::Drew, "no draw");
        Require(draw.dealtHand == dealt && draw.discards == marked, "the draw's own record");
        AccountRecord& account = CurrentAccount(bank_);
        RecordRound(account, draw.settlement);
        for (int slot = 0; slot < HandSize; ++slot) {
            Require(marked[slot] || draw.finalHand[slot] == dealt[slot], "a held card changed");
            Require(draw.finalHand[slot] >= 0 && draw.finalHand[slot] < CardCount,
                    "a drawn card is off the deck");
        }
        // The payout by the table, from the evaluator's category of the final hand.
        const int multiplier = PayoffFor(EvaluateHand(draw.finalHand).category).multiplier;
        const std::int64_t paid = multiplier * staked;
        Books& books = Current();
        cash_ += paid;
        ++books.played;
        if (multiplier > 0) {
            ++books.won;
            books.amountWon += (multiplier - 1) * staked;
            ++tally_.wins;
        } else {
            ++books.lost;
            books.amountLost += staked;
        }
        ledger_ += paid - staked;
        bet_ = 0;
        tally_.staked += staked;
        tally_.paid += paid;
        Require(draw.settlement.paid == paid, "the settlement paid a different amount");
        Require(ShouldOfferLoan(table_, account) == (books.savings < 20 && cash_ < 20),
                "wrong loan offer");
    }

    // The bet box's text, read as the game reads it.
    BetOutcome PlaceBet(std::string_view text) {
        return corvanta::PlaceBet(table_, ConvertAmount(text));
    }

    void Bet(bool mustBeAccepted) {
        const std::int64_t room = std::min<std::int64_t>(cash_, MaxBet);
        if (mustBeAccepted || Chance(80)) {
            if (room < LowestBet) {
                return;
            }
            const int plain = Pick(LowestBet, static_cast<int>(room));
            const auto [text, amount] = mustBeAccepted
                                            ? std::pair{std::to_string(plain), std::int64_t{plain}}
                                            : Typed(plain);
            const BetOutcome outcome = PlaceBet(text);
            if (amount < LowestBet) { // "4.5" rounds to 4
                Require(outcome.status == BetStatus::Ignored, "a bet below $5 was taken");
                ++tally_.ignoredBets;
                return;
            }
            Require(outcome.status == BetStatus::Accepted, "a bet within the cash was refused");
            cash_ -= amount;
            bet_ += amount;
            Require(table_.BetAmount == bet_ && table_.CashOnHand == cash_,
                    "the bet did not move from the cash");
            ++tally_.bets;
        } else if (cash_ < 32767) {
            const std::int64_t amount = Pick(static_cast<int>(cash_) + 1, 32767);
            const BetOutcome outcome = PlaceBet(std::to_string(amount));
            Require(amount < LowestBet || outcome.status == BetStatus::Refused,
                    "a bet above the cash was not refused");
            Require(outcome.message.find("short") != std::string::npos || amount < LowestBet,
                    "the refusal does not say how much is missing");
            Require(table_.BetAmount == bet_ && table_.CashOnHand == cash_,
                    "a refused bet moved money");
            ++tally_.refusedBets;
        }
    }

    // Cash below the minimum bet: withdraw from the savings, or take the loan when offered.
    void EnsureCashForABet() {
        if (cash_ >= LowestBet) {
            return;
        }
        Books& books = Current();
        if (books.savings > LowestBet - cash_) {
            const auto amount =
                Pick(static_cast<int>(LowestBet - cash_),
                     static_cast<int>(std::min<std::int64_t>(books.savings - 1, 32767)));
            const TransferOutcome outcome =
                Withdraw(table_, bank_, std::to_string(amount), AmountSource::Prompt);
            Require(outcome.status == TransferStatus::Moved, "a withdrawal for a bet failed");
            books.savings -= amount;
            cash_ += amount;
            ++tally_.withdrawals;
        } else {
            Require(ShouldOfferLoan(table_, CurrentAccount(bank_)), "no loan for an empty player");
            const MoneyCaptions captions = TakeLoan(table_, bank_);
            Require(captions.lblCurrentCash == "$25" && captions.lblSavings == "$25",
                    "the loan captions");
            ledger_ += (LoanAmount - books.savings) + (LoanAmount - cash_);
            books.savings = LoanAmount;
            cash_ = LoanAmount;
            ++tally_.loans;
        }
    }

    // A deposit (cash to savings) or withdrawal (savings to cash) of a scripted amount,
    // sometimes too large, negative or not a number.
    void Transfer(bool deposit) {
        Books& books = Current();
        const std::int64_t from = deposit ? cash_ : books.savings;
        std::int64_t amount =
            Pick(0, static_cast<int>(std::clamp<std::int64_t>(from + 10, 0, 32767)));
        std::string text = std::to_string(amount);
        bool usable = true;
        if (Chance(5)) {
            text = Chance(50) ? "-" + text : text + "x";
            usable = amount == 0 && text == "-0"; // "-0" is the number 0
        }
        const TransferOutcome outcome =
            deposit ? Deposit(table_, bank_, text)
                    : Withdraw(table_, bank_, text,
                               Chance(50) ? AmountSource::BankBox : AmountSource::Prompt);
        if (!usable) {
            Require(outcome.status == TransferStatus::Ignored, "an unusable amount was used");
        } else if (amount >= from) {
            Require(outcome.status == TransferStatus::Refused, "a transfer was not refused");
            ++tally_.refusedTransfers;
        } else {
            Require(outcome.status == TransferStatus::Moved, "a transfer was not made");
            // A withdrawal of $0 still moves nothing: the captions show the same money.
            cash_ += deposit ? -amount : amount;
            books.savings += deposit ? amount : -amount;
            Require(outcome.captions.lblCurrentCash == "$" + std::to_string(cash_) &&
                        outcome.captions.lblSavings == "$" + std::to_string(books.savings),
                    "the transfer captions");
            ++(deposit ? tally_.deposits : tally_.withdrawals);
        }
        Require(table_.CashOnHand == cash_ && CurrentAccount(bank_).Savings == books.savings,
                "a transfer moved the wrong amount");
        if (!deposit && outcome.status != TransferStatus::Ignored) {
            Require(outcome.offerLoan == (books.savings < 20 && cash_ < 20), "wrong loan offer");
        }
    }

    // Change Account: an existing name typed in another case and with blanks, or a new one.
    void SwitchAccount() {
        const int count = static_cast<int>(books_.size());
        const bool create = count < Accounts && Chance(40);
        const int wanted = create ? count : Pick(0, count - 1);
        std::string name = create ? "Player " + std::to_string(count) : books_[wanted].name;
        // Typed in any mix of cases; a new account keeps the case it was typed in.
        for (char& c : name) {
            c = Chance(50) ? static_cast<char>(std::toupper(static_cast<unsigned char>(c)))
                           : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const std::string typed = " " + name + "  ";
        const AccountLookup lookup = FindAccount(bank_, typed);
        const std::int64_t oldCash = table_.CashOnHand;
        // The player's answers: the name, then Yes to creating it.
        ChangeAccountDialogue dialogue(table_, bank_);
        Question question = dialogue.Begin();
        Require(question.kind == Question::Kind::Text, "Change Account did not ask for a name");
        question = dialogue.Next({.text = typed});
        if (create) {
            Require(lookup.result == LookupResult::NotFound, "a new name was found");
            Require(question.kind == Question::Kind::YesNo, "no offer to create the account");
            question = dialogue.Next({.text = {}, .yes = true});
            Require(question.kind == Question::Kind::None &&
                        dialogue.Outcome().result == AccountChange::Result::Created,
                    "the account was not created");
            books_.push_back({name, NewAccountCash});
            ledger_ += (NewAccountCash - oldCash) + NewAccountCash;
            cash_ = NewAccountCash;
            ++tally_.newAccounts;
        } else {
            Require(lookup.result == LookupResult::Found && lookup.slot == wanted + 1,
                    "an account was not found by its name");
            Require(question.kind == Question::Kind::None &&
                        dialogue.Outcome().result == AccountChange::Result::Switched,
                    "the account was not switched to");
            Require(dialogue.Outcome().display.lblCurrentAccount == books_[wanted].name,
                    "the switched account's name");
            Require(table_.CashOnHand == oldCash, "a switch changed the cash");
            ++tally_.switches;
        }
        Require(bank_.GCNum == wanted + 1, "the current account did not change");
    }

    // ---- The checks ------------------------------------------------------------------------

    void CheckBooks() {
        Require(Total() == ledger_,
                "cash + bet + savings changed by more than payouts, stakes and loans");
        Require(table_.CashOnHand == cash_ && table_.BetAmount == 0, "the cash at the table");
        Require(table_.DealState == DealStateCode::WaitingForBet, "the round did not close");
        Require(bank_.AccountCount == static_cast<int>(books_.size()), "the number of accounts");
        const auto counter = [](std::int64_t rounds) {
            return std::min<std::int64_t>(rounds, CounterLimit);
        };
        const auto money = [](std::int64_t amount) {
            return std::min(amount, MoneyLimit);
        };
        for (int slot = 1; slot <= bank_.AccountCount; ++slot) {
            const AccountRecord& account = bank_.AccountTable[slot];
            const Books& books = books_[static_cast<std::size_t>(slot - 1)];
            Require(account.RoundsPlayed >= 0 && account.RoundsWon >= 0 &&
                        account.RoundsLost >= 0 && account.AmountWon >= 0 &&
                        account.AmountLost >= 0,
                    "a counter passed its limit and wrapped around");
            Require(account.Savings == books.savings, "an account's savings");
            Require(account.RoundsPlayed == counter(books.played) &&
                        account.RoundsWon == counter(books.won) &&
                        account.RoundsLost == counter(books.lost),
                    "an account's round counters");
            Require(account.AmountWon == money(books.amountWon) &&
                        account.AmountLost == money(books.amountLost),
                    "an account's amounts won and lost");
        }
    }

    void CheckSaveAndReload() {
        test::TempFolder config;
        Require(SaveBank(bank_, folder_.Path()).Ok, "the bank was not saved");
        Require(SaveSettings(config.Path(), {table_.CardBG, bank_.GCNum, table_.CashOnHand}).Ok,
                "the settings were not saved");
        const StoredSettings settings = LoadSettings(config.Path()).values;
        Bank bank;
        bank.GCNum = settings.GCNum;
        LoadBank(bank, folder_.Path());
        Require(bank.AccountCount == bank_.AccountCount, "the reloaded number of accounts");
        Require(bank.GCNum == bank_.GCNum && settings.CashOnHand == table_.CashOnHand,
                "the reloaded current account or cash");
        for (int slot = 1; slot <= MaxAccounts; ++slot) {
            Require(bank.AccountTable[slot] == bank_.AccountTable[slot],
                    "a reloaded account differs");
        }
    }

    test::TempFolder folder_;
    std::mt19937_64 script_;
    std::uint64_t time_ = 0;
    TimeSeededRandom random_;
    Table table_;
    Bank bank_;
    std::vector<Books> books_;
    std::int64_t cash_ = FirstRunCash; // the test's own count of the cash at the table
    std::int64_t bet_ = 0;             // and of the bet
    std::int64_t ledger_ = 0;          // cash + bet + savings as the books say
    long round_ = 0;
    Tally tally_;
};

TEST(Soak, AMillionRoundsKeepTheBooks) {
    Soak soak(20240607);
    const auto start = std::chrono::steady_clock::now();
    try {
        soak.Play(Rounds);
    } catch (const std::exception& failure) {
        FAIL() << failure.what();
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const Tally& t = soak.Counts();
    // The figures for TESTING.md; the time is reported, never checked.
    std::cout << Rounds << " rounds in " << took.count() << " s: " << t.bets << " bets ("
              << t.refusedBets << " refused, " << t.ignoredBets << " ignored), " << t.wins
              << " wins, $" << t.staked << " staked, $" << t.paid << " paid, " << t.deposits
              << " deposits, " << t.withdrawals << " withdrawals (" << t.refusedTransfers
              << " transfers refused), " << t.loans << " loans, " << t.switches << " switches, "
              << t.newAccounts << " new accounts, " << t.ignoredCommands << " ignored commands; "
              << soak.LimitedAccounts() << " accounts reached the 32767-round limit\n";
    EXPECT_GT(soak.LimitedAccounts(), 0) << "the script never took a counter to its limit";
    EXPECT_GT(t.loans, 0);
    EXPECT_EQ(t.newAccounts, Accounts - 1);
}

} // namespace
} // namespace corvanta
