#include "bank/ChangeAccount.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvanta {
namespace {

using Kind = Question::Kind;
using Result = AccountChange::Result;

const Answer Yes{.text = {}, .yes = true};
const Answer No{.text = {}, .yes = false};
Answer Typed(std::string text) {
    return {.text = std::move(text)};
}

// The questions, each with the kind of box that asks it.
const std::string AskName = "Please enter the name of the account:";
const std::string AskCreate = "That account does not exisit\rWould you like to create it?";
const std::string AskNameFirst =
    "Please enter a name for this account before the new account is created:\rThe name may not "
    "be more than 20 characters in length, but may include spaces and punctuation.";
const std::string SayFull = "The bank is full: it holds 100 accounts, the most it can keep.";
Kind KindOf(const std::string& text) {
    return text == AskCreate ? Kind::YesNo : text == SayFull ? Kind::Message : Kind::Text;
}

// A bank of the named accounts with savings 10, 20, 30...; the first is current.
Bank BankOf(const std::vector<std::string>& names) {
    Bank bank;
    for (const std::string& name : names) {
        AccountRecord& account = bank.AccountTable[++bank.AccountCount];
        AssignText(account.Name, name);
        account.Savings = 10 * bank.AccountCount;
    }
    return bank;
}

struct Dialogue {
    AccountChange change;
    std::vector<std::string> asked;
};

// Change Account with the player's answers in order.
Dialogue Converse(Table& table, Bank& bank, const std::vector<Answer>& answers) {
    ChangeAccountDialogue dialogue(table, bank);
    Dialogue run;
    for (Question question = dialogue.Begin(); question.kind != Kind::None;) {
        run.asked.emplace_back(question.text);
        EXPECT_EQ(question.kind, KindOf(run.asked.back()));
        EXPECT_EQ(question.title, "Corvanta - Bank Account Access");
        EXPECT_EQ(question.defaultText, question.text == AskNameFirst ? "Jimmy Crack Corn" : "");
        if (run.asked.size() > answers.size()) {
            ADD_FAILURE() << "an unexpected question: " << question.text;
            break;
        }
        question = dialogue.Next(answers[run.asked.size() - 1]);
    }
    EXPECT_EQ(run.asked.size(), answers.size()) << "answers left over";
    run.change = dialogue.Outcome();
    return run;
}

TEST(FindAccount, IgnoresCaseAndSurroundingSpacesOnly) {
    Bank bank = BankOf({"Default", "Ëlise", "Šœž ÿ", "Twin", "Twin", ""});
    AssignText(bank.AccountTable[7].Name, "Ghost"); // beyond the count: never searched
    const std::pair<const char*, int> found[] = {{"  default ", 1},
                                                 {"DEFAULT", 1},
                                                 {"ëlise", 2}, // Latin-1 letters have capitals too
                                                 {"ŠŒŽ Ÿ", 3}, // and so do the four in 0x80..0x9F
                                                 {"twin", 4}}; // the lower slot wins
    for (const auto& [typed, slot] : found) {
        EXPECT_EQ(FindAccount(bank, typed).result, LookupResult::Found) << typed;
        EXPECT_EQ(FindAccount(bank, typed).slot, slot) << typed;
    }
    // Only spaces are trimmed, accents count, and a blank name is never looked for.
    for (const char* typed : {"Def ault", "Defaul", "Default\t", "Elise", "Ghost"}) {
        EXPECT_EQ(FindAccount(bank, typed).result, LookupResult::NotFound) << typed;
    }
    EXPECT_EQ(FindAccount(bank, "   ").result, LookupResult::BlankName);
}

// On a bank of "Default" and "  Main ", with $75 on the table and a $5 bet.
TEST(ChangeAccount, SwitchesCreatesOrChangesNothing) {
    struct Row {
        std::vector<Answer> answers;
        std::vector<std::string> asked;
        Result result;
        std::int16_t accounts, current;
        std::int32_t cash;
    };
    const Row rows[] = {
        {{Typed(" main ")}, {AskName}, Result::Switched, 2, 2, 75},
        {{Typed("")}, {AskName}, Result::Unchanged, 2, 1, 75},
        {{Typed("   ")}, {AskName}, Result::Unchanged, 2, 1, 75},
        {{Typed("Nobody"), No}, {AskName, AskCreate}, Result::Unchanged, 2, 1, 75},
        {{Typed(" New Guy "), Yes}, {AskName, AskCreate}, Result::Created, 3, 3, 50}};
    for (const Row& row : rows) {
        Bank bank = BankOf({"Default", "  Main "});
        Table table;
        table.CashOnHand = 75;
        table.BetAmount = 5;
        const Dialogue run = Converse(table, bank, row.answers);
        EXPECT_EQ(run.asked, row.asked) << row.answers[0].text;
        EXPECT_EQ(run.change.result, row.result) << row.answers[0].text;
        EXPECT_EQ(bank.AccountCount, row.accounts) << row.answers[0].text;
        EXPECT_EQ(bank.GCNum, row.current) << row.answers[0].text;
        EXPECT_EQ(table.CashOnHand, row.cash) << row.answers[0].text;
        EXPECT_EQ(table.BetAmount, 5);
    }
    // What the main window shows after a creation; the new account is clean, though its slot
    // holds the leftovers of a record the debug console deleted.
    Bank bank = BankOf({"Default", "Main", "Old"});
    bank.AccountCount = 2;
    AssignText(bank.AccountTable[3].Password, "secret");
    bank.AccountTable[3].RoundsPlayed = 9;
    Table table;
    const Dialogue created = Converse(table, bank, {Typed(" New Guy "), Yes});
    EXPECT_EQ(created.change.account,
              (AccountFigures{
                  "New Guy", {50, MoneyForm::SpacedDollars}, AccountStatistics{0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(created.change.cash, 50);
    AccountRecord clean;
    AssignText(clean.Name, "New Guy");
    clean.Savings = 50;
    EXPECT_EQ(bank.AccountTable[3], clean);
}

// A new name is stored as its first 20 characters (and shown whole until the next refresh),
// so it is not found again. A current account named with spaces is named first, as typed
// (Cancel leaves it blank); one never assigned (20 NULs) is not blank. A full bank says so.
TEST(ChangeAccount, NewAccountsAreNamedAndCountedWithinTheBank) {
    const std::string typed = "Abcdefghij Klmnopqrst Uvwxy";
    const std::string cut = "Abcdefghij Klmnopqrs";
    const auto padded = [](std::string name) {
        return name.append(20 - name.size(), ' ');
    };
    struct Row {
        std::vector<std::string> names; // none: one account never assigned
        std::vector<Answer> answers;
        std::string first, last; // the stored name of slot 1, the last account's trimmed
        std::int16_t accounts;
    };
    const Row rows[] = {
        {{"Default"}, {Typed(typed), Yes}, padded("Default"), cut, 2},
        {{"A", cut}, {Typed(typed), Yes}, padded("A"), cut, 3},
        {{""}, {Typed("B"), Yes, Typed("  Jimmy Crack Corn")}, "  Jimmy Crack Corn  ", "B", 2},
        {{""}, {Typed("B"), Yes, Typed(typed)}, cut, "B", 2},
        {{""}, {Typed("B"), Yes, Typed("")}, padded(""), "B", 2},
        {{}, {Typed("B"), Yes}, std::string(20, '\0'), "B", 2},
        {{"A"}, {Typed("One Too Many"), Yes, {}}, padded("A"), "Player 100", MaxAccounts}};
    for (const Row& row : rows) {
        Bank bank = BankOf(row.names);
        bank.AccountCount = std::max<std::int16_t>(bank.AccountCount, 1);
        for (int n = 2; row.accounts == MaxAccounts && n <= MaxAccounts; ++n) {
            AssignText(bank.AccountTable[++bank.AccountCount].Name, "Player " + std::to_string(n));
        }
        Table table;
        const AccountChange change = Converse(table, bank, row.answers).change;
        const bool created = row.accounts < MaxAccounts;
        EXPECT_EQ(change.result, created ? Result::Created : Result::Unchanged) << row.last;
        EXPECT_EQ(StoredText(bank.AccountTable[1].Name), row.first);
        EXPECT_EQ(TrimmedText(bank.AccountTable[bank.AccountCount].Name), row.last);
        EXPECT_EQ(bank.AccountCount, row.accounts);
        EXPECT_EQ(bank.GCNum, created ? row.accounts : 1);
        EXPECT_EQ(change.account.name, created ? row.answers[0].text : "");
    }
}

} // namespace
} // namespace corvanta
