#include "bank/ChangeAccount.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvanta {
namespace {

using Kind = Question::Kind;
using Result = AccountChange::Result;

struct ChangeFixture : ::testing::Test {
    // Appends an account the way a loaded bank holds it.
    AccountRecord& Add(std::string_view name, std::int32_t savings) {
        AccountRecord& account = bank.AccountTable[++bank.AccountCount];
        AssignText(account.Name, name);
        account.Savings = savings;
        return account;
    }

    // Runs Change Account with the player's answers in order; the questions asked are kept.
    AccountChange Run(std::vector<Answer> answers) {
        ChangeAccountDialogue dialogue(table, bank);
        asked.clear();
        std::size_t next = 0;
        for (Question question = dialogue.Begin(); question.kind != Kind::None;) {
            asked.push_back(question);
            if (next == answers.size()) {
                ADD_FAILURE() << "an unexpected question: " << question.text;
                break;
            }
            question = dialogue.Next(answers[next++]);
        }
        EXPECT_EQ(next, answers.size()) << "answers left over";
        return dialogue.Outcome();
    }

    Bank bank;
    Table table;
    std::vector<Question> asked;
};

Answer Typed(std::string text) {
    return {.text = std::move(text)};
}
const Answer Yes{.text = {}, .yes = true};
const Answer No{.text = {}, .yes = false};
const Answer Ok{};

TEST_F(ChangeFixture, FindAccountIgnoresCaseAndSurroundingSpacesOnly) {
    Add("Default", 100);
    Add("Ëlise", 10);
    Add("Šœž ÿ", 10);
    Add("Twin", 10);
    Add("Twin", 20);
    Add("", 0); // 20 spaces, as the debug console leaves a deleted last record
    bank.AccountTable[7] = bank.AccountTable[1]; // beyond the count: never searched
    AssignText(bank.AccountTable[7].Name, "Ghost");

    struct Row {
        const char* typed;
        LookupResult result;
        std::int16_t slot;
    };
    for (const Row& row : {
             Row{"  default ", LookupResult::Found, 1}, Row{"DEFAULT", LookupResult::Found, 1},
             Row{"ëlise", LookupResult::Found, 2}, // Latin-1 letters have capitals too
             Row{"ËLISE", LookupResult::Found, 2},
             Row{"ŠŒŽ Ÿ", LookupResult::Found, 3}, // and so do the four in 0x80..0x9F
             Row{"twin", LookupResult::Found, 4},  // the lower slot wins
             Row{"Def ault", LookupResult::NotFound, 0}, Row{"Defaul", LookupResult::NotFound, 0},
             Row{"Default\t", LookupResult::NotFound, 0}, // only spaces are trimmed
             Row{"Elise", LookupResult::NotFound, 0},     // accents are not ignored
             Row{"Ghost", LookupResult::NotFound, 0}, Row{"", LookupResult::BlankName, 0},
             Row{"    ", LookupResult::BlankName, 0}, // never finds the blank slot 6
         }) {
        const AccountLookup lookup = FindAccount(bank, row.typed);
        EXPECT_EQ(lookup.result, row.result) << row.typed;
        EXPECT_EQ(lookup.slot, row.slot) << row.typed;
    }
}

TEST_F(ChangeFixture, SwitchingShowsTheAccountAndKeepsTheCash) {
    Add("Default", 100);
    AccountRecord& main = Add("  Main ", 150);
    main.RoundsPlayed = 4;
    main.RoundsWon = 1;
    main.RoundsLost = 3;
    main.AmountWon = 10;
    main.AmountLost = 25;
    bank.GCNum = 1;
    table.CashOnHand = 75;
    table.BetAmount = 5;

    const AccountChange change = Run({Typed("main")});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].kind, Kind::Text);
    EXPECT_EQ(asked[0].title, "Corvanta - Bank Account Access");
    EXPECT_EQ(asked[0].text, "Please enter the name of the account:");
    EXPECT_EQ(asked[0].defaultText, "");
    EXPECT_EQ(change.result, Result::Switched);
    EXPECT_EQ(bank.GCNum, 2);
    EXPECT_EQ(table.CashOnHand, 75);
    EXPECT_EQ(table.BetAmount, 5);
    EXPECT_EQ(change.display,
              (AccountDisplay{"Main", "$150", "1", "3", "4", "$10", "$25", "$-3"})); // -15/4
    EXPECT_EQ(change.lblCurrentCash, "");
}

TEST_F(ChangeFixture, ABlankNameOrCancelChangesNothing) {
    Add("Default", 100);
    bank.GCNum = 1;
    for (const char* typed : {"", "   "}) {
        const AccountChange change = Run({Typed(typed)});
        EXPECT_EQ(change.result, Result::Unchanged) << '"' << typed << '"';
        EXPECT_EQ(asked.size(), 1u);
        EXPECT_EQ(bank.AccountCount, 1);
        EXPECT_EQ(bank.GCNum, 1);
    }
}

TEST_F(ChangeFixture, AnUnknownNameIsCreatedOnlyWhenThePlayerSaysYes) {
    Add("Default", 100);
    bank.GCNum = 1;
    table.CashOnHand = 80;

    AccountChange change = Run({Typed("Nobody"), No});
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].kind, Kind::YesNo);
    EXPECT_EQ(asked[1].title, "Corvanta - Bank Account Access");
    EXPECT_EQ(asked[1].text, "That account does not exisit\rWould you like to create it?");
    EXPECT_EQ(change.result, Result::Unchanged);
    EXPECT_EQ(bank.AccountCount, 1);
    EXPECT_EQ(table.CashOnHand, 80);

    change = Run({Typed("Nobody"), Yes});
    EXPECT_EQ(change.result, Result::Created);
    EXPECT_EQ(bank.AccountCount, 2);
    EXPECT_EQ(bank.GCNum, 2);
}

TEST_F(ChangeFixture, CreatingAnAccountStartsItCleanWithFiftyDollars) {
    Add("Default", 100);
    bank.GCNum = 1;
    table.CashOnHand = 500;
    table.BetAmount = 5;
    // Leftovers of a record the debug console deleted from slot 2.
    AccountRecord& leftover = bank.AccountTable[2];
    AssignText(leftover.Name, "Old");
    AssignText(leftover.Password, "secret");
    leftover.Savings = 999;
    leftover.RoundsPlayed = 9;
    leftover.AmountLost = 77;

    const AccountChange change = Run({Typed("  New Guy "), Yes});
    ASSERT_EQ(change.result, Result::Created);
    EXPECT_EQ(bank.AccountCount, 2);
    EXPECT_EQ(bank.GCNum, 2);
    EXPECT_EQ(table.CashOnHand, 50);
    EXPECT_EQ(table.BetAmount, 5);
    AccountRecord expected;
    AssignText(expected.Name, "New Guy");
    expected.Savings = 50;
    EXPECT_EQ(bank.AccountTable[2], expected);
    EXPECT_EQ(bank.AccountTable[2].Password, FixedText<PasswordWidth>{}); // all NUL
    EXPECT_EQ(change.lblCurrentCash, "$50");
    EXPECT_EQ(change.display, (AccountDisplay{"New Guy", "$ 50", "0", "0", "0", "$0", "$0", "$0"}));
}

TEST_F(ChangeFixture, ALongNameIsStoredAsItsFirstTwentyCharacters) {
    Add("Default", 100);
    bank.GCNum = 1;
    const std::string typed = "Abcdefghij Klmnopqrst Uvwxy"; // 27 characters
    const std::string first20 = typed.substr(0, 20);

    const AccountChange change = Run({Typed(typed), Yes});
    EXPECT_EQ(change.display.lblCurrentAccount, typed); // shown whole until next refresh
    EXPECT_EQ(StoredText(bank.AccountTable[2].Name), first20);
    EXPECT_EQ(FindAccount(bank, typed).result, LookupResult::NotFound);
    // The whole name is not found again: a second account with the same stored name.
    EXPECT_EQ(Run({Typed(typed), Yes}).result, Result::Created);
    EXPECT_EQ(bank.AccountCount, 3);
    EXPECT_EQ(FindAccount(bank, first20).slot, 2);
}

TEST_F(ChangeFixture, ANamelessCurrentAccountIsNamedFirstAsTyped) {
    Add("", 100); // a name of spaces
    bank.GCNum = 1;

    const AccountChange change = Run({Typed("Second"), Yes, Typed("  Jimmy Crack Corn")});
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2].kind, Kind::Text);
    EXPECT_EQ(asked[2].title, "Corvanta - Bank Account Access");
    EXPECT_EQ(asked[2].text,
              "Please enter a name for this account before the new account is created:\rThe "
              "name may not be more than 20 characters in length, but may include spaces and "
              "punctuation.");
    EXPECT_EQ(asked[2].defaultText, "Jimmy Crack Corn");
    EXPECT_EQ(change.result, Result::Created);
    // Stored untrimmed, cut to 20 characters or padded with spaces.
    EXPECT_EQ(StoredText(bank.AccountTable[1].Name), "  Jimmy Crack Corn  ");
    EXPECT_EQ(TrimmedText(bank.AccountTable[2].Name), "Second");
    EXPECT_EQ(bank.GCNum, 2);

    // A long answer is cut; Cancel leaves the name blank, and the account is created anyway.
    bank.GCNum = 1;
    AssignText(bank.AccountTable[1].Name, "");
    Run({Typed("Third"), Yes, Typed("Jimmy Crack Corn and I don't care")});
    EXPECT_EQ(StoredText(bank.AccountTable[1].Name), "Jimmy Crack Corn and");
    bank.GCNum = 1;
    AssignText(bank.AccountTable[1].Name, "");
    EXPECT_EQ(Run({Typed("Fourth"), Yes, Typed("")}).result, Result::Created);
    EXPECT_TRUE(IsNameless(bank.AccountTable[1]));
    EXPECT_EQ(bank.AccountCount, 4);
}

TEST(IsNameless, OnlyANameOfSpacesIsBlank) {
    AccountRecord account; // never assigned: 20 NULs, which trimming does not remove
    EXPECT_FALSE(IsNameless(account));
    AssignText(account.Name, "");
    EXPECT_TRUE(IsNameless(account));
    AssignText(account.Name, "   x  ");
    EXPECT_FALSE(IsNameless(account));
}

TEST_F(ChangeFixture, ANeverAssignedNameIsNotAskedFor) {
    ++bank.AccountCount; // slot 1 as a zeroed record leaves it: 20 NULs
    bank.GCNum = 1;
    EXPECT_EQ(Run({Typed("New"), Yes}).result, Result::Created);
    EXPECT_EQ(asked.size(), 2u);
}

TEST_F(ChangeFixture, AFullBankRefusesANewAccountAndChangesNothing) {
    for (int i = 1; i < MaxAccounts; ++i) {
        Add("Player " + std::to_string(i), i);
    }
    bank.GCNum = 7;
    table.CashOnHand = 300;
    ASSERT_FALSE(IsBankFull(bank));
    Add("Last", 1);
    ASSERT_TRUE(IsBankFull(bank));
    const auto before = bank.AccountTable;

    const AccountChange change = Run({Typed("One Too Many"), Yes, Ok});
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2].kind, Kind::Message);
    EXPECT_EQ(asked[2].title, "Corvanta - Bank Account Access");
    EXPECT_EQ(asked[2].text, "The bank is full: it holds 100 accounts, the most it can keep.");
    EXPECT_EQ(change.result, Result::Unchanged);
    EXPECT_EQ(bank.AccountTable, before);
    EXPECT_EQ(bank.AccountCount, MaxAccounts);
    EXPECT_EQ(bank.GCNum, 7);
    EXPECT_EQ(table.CashOnHand, 300);
}

} // namespace
} // namespace corvanta
