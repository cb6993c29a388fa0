#include "bank/RecordEditor.h"

#include <gtest/gtest.h>

#include <string>

namespace corvanta {
namespace {

std::string Padded(std::string text) {
    text.resize(NameWidth, ' ');
    return text;
}

struct RecordEditorFixture : ::testing::Test {
    // Accounts named by the given letters with savings 10, 20, 30, ... and passwords and
    // statistics of their own, so a moved record shows whether it moved whole.
    void Accounts(std::string_view letters) {
        for (const char letter : letters) {
            const int n = ++bank.AccountCount;
            AccountRecord& account = bank.AccountTable[n];
            AssignText(account.Name, std::string(1, letter));
            AssignText(account.Password, std::string("pw") + letter);
            account.Savings = 10 * n;
            account.RoundsPlayed = static_cast<std::int16_t>(n);
            account.AmountWon = 100 * n;
        }
        bank.GCNum = 1;
    }
    Bank bank;
    RecordEditor editor;
};

TEST_F(RecordEditorFixture, StartsOnRecordOneWithTheSummaryLine) {
    Accounts("ABC");
    AssignText(bank.AccountTable[2].Name, " Main ");
    bank.AccountTable[2].Savings = 150;
    bank.GCNum = 2;
    editor.RecordIndex = 3;

    const EditorStart start = StartRecordEditor(editor, bank);
    EXPECT_EQ(editor.RecordIndex, 1);
    EXPECT_EQ(start.view, (RecordView{{"A", " 10"}, " 1"}));
    EXPECT_EQ(start.txtDebug, " 2\\ 3 > $ 150 >>Main<<");
}

TEST_F(RecordEditorFixture, NavigationStopsAtBothEndsAndShowsNamesAsStored) {
    Accounts("ABC");
    bank.AccountTable[3].Savings = -7;

    EXPECT_EQ(ShowPreviousRecord(editor, bank), std::nullopt);
    EXPECT_EQ(editor.RecordIndex, 1);
    EXPECT_EQ(ShowNextRecord(editor, bank), (RecordView{{Padded("B"), "20"}, " 2"}));
    EXPECT_EQ(ShowNextRecord(editor, bank), (RecordView{{Padded("C"), "-7"}, " 3"}));
    EXPECT_EQ(ShowNextRecord(editor, bank), std::nullopt);
    EXPECT_EQ(editor.RecordIndex, 3);
    EXPECT_EQ(ShowPreviousRecord(editor, bank), (RecordView{{Padded("B"), "20"}, " 2"}));
    EXPECT_EQ(ShowPreviousRecord(editor, bank), (RecordView{{Padded("A"), "10"}, " 1"}));
    EXPECT_EQ(ShowPreviousRecord(editor, bank), std::nullopt);
}

TEST_F(RecordEditorFixture, CurrentShowsRecordGCNumTrimmedAndSpaced) {
    Accounts("ABC");
    bank.AccountTable[3].Savings = -7;
    bank.GCNum = 3;
    EXPECT_EQ(ShowCurrentRecord(editor, bank), (RecordView{{"C", "-7"}, " 3"}));
    EXPECT_EQ(editor.RecordIndex, 3);
    bank.GCNum = 2;
    EXPECT_EQ(ShowCurrentRecord(editor, bank), (RecordView{{"B", " 20"}, " 2"}));
}

TEST_F(RecordEditorFixture, NewRecordShowsANeverUsedSlotAsNulAndZero) {
    Accounts("AB");
    EXPECT_EQ(NewRecord(editor, bank), (RecordView{{std::string(NameWidth, '\0'), "0"}, " 3"}));
    EXPECT_EQ(bank.AccountCount, 3);
    EXPECT_EQ(editor.RecordIndex, 3);
}

TEST_F(RecordEditorFixture, NewRecordKeepsTheLeftoversOfADeletion) {
    Accounts("ABC");
    const AccountRecord c = bank.AccountTable[3];
    DeleteRecord(editor, bank); // A: B and C move down, slot 3 keeps a copy of C
    EXPECT_EQ(NewRecord(editor, bank), (RecordView{{Padded("C"), "30"}, " 3"}));
    EXPECT_EQ(bank.AccountTable[3], c);
    EXPECT_EQ(bank.AccountTable[2], c);
}

TEST_F(RecordEditorFixture, NewRecordIsRefusedWhenTheTableIsFull) {
    Accounts(std::string(MaxAccounts - 1, 'x'));
    ASSERT_TRUE(NewRecord(editor, bank).has_value());
    editor.RecordIndex = 42;
    const auto before = bank.AccountTable;

    EXPECT_EQ(NewRecord(editor, bank), std::nullopt);
    EXPECT_EQ(bank.AccountCount, MaxAccounts);
    EXPECT_EQ(editor.RecordIndex, 42);
    EXPECT_EQ(bank.AccountTable, before);
}

TEST_F(RecordEditorFixture, SaveChangesStoresNameAndFlooredSavings) {
    struct Row {
        const char* account;
        const char* savings;
        std::string storedName;
        std::int32_t storedSavings;
    };
    for (const Row& row : {
             Row{" Bob ", " 12.9 ", Padded("Bob"), 12},
             Row{"Bob", "-0.5", Padded("Bob"), -1},
             Row{"Bob", " 150", Padded("Bob"), 150}, // the spaced form reads back
             Row{"", "5", Padded(""), 5},            // no check on the name
             Row{"Abcdefghij Klmnopqrst Uvwxy", "1", "Abcdefghij Klmnopqrs", 1},
             Row{"Max", "2147483647.9", Padded("Max"), 2147483647},
             Row{"Min", "-2147483648", Padded("Min"), -2147483647 - 1},
         }) {
        Accounts("ABC");
        editor.RecordIndex = 2;
        AccountRecord expected = bank.AccountTable[2];
        AssignText(expected.Name, row.storedName);
        expected.Savings = row.storedSavings;
        EXPECT_TRUE(SaveRecordChanges(editor, bank, row.account, row.savings)) << row.savings;
        EXPECT_EQ(bank.AccountTable[2], expected) << row.account << '/' << row.savings;
        bank = Bank{};
    }
}

TEST_F(RecordEditorFixture, SavingsThatDoNotReadLeaveTheWholeRecordUnchanged) {
    Accounts("ABC");
    editor.RecordIndex = 2;
    const auto before = bank.AccountTable;
    for (const char* savings :
         {"", "   ", "abc", "12abc", "1,000", "2147483648", "-2147483648.5", "1e3"}) {
        EXPECT_FALSE(SaveRecordChanges(editor, bank, "Typo", savings)) << savings;
        EXPECT_EQ(bank.AccountTable, before) << savings;
    }
}

TEST_F(RecordEditorFixture, SetAsGCNumWritesPlainSavingsAndTheSummaryLine) {
    Accounts("ABC");
    AssignText(bank.AccountTable[2].Name, "  Main");
    bank.AccountTable[2].Savings = 150;
    editor.RecordIndex = 2;

    const CurrentAccountChange change = SetAsGCNum(editor, bank);
    EXPECT_EQ(bank.GCNum, 2);
    EXPECT_EQ(change.lblCurrentAccount, "Main");
    EXPECT_EQ(change.lblSavings, "150");
    EXPECT_EQ(change.txtDebug, " 2\\ 3 > $ 150 >>Main<<");
}

TEST_F(RecordEditorFixture, TheSummaryLineShowsNegativeNumbersWithoutTheSpace) {
    Accounts("AB");
    bank.AccountTable[2].Savings = -30;
    bank.GCNum = 2;
    EXPECT_EQ(AccountSummary(bank), " 2\\ 2 > $-30 >>B<<");
}

TEST_F(RecordEditorFixture, DeletingInTheMiddleMovesTheRecordsAboveDown) {
    Accounts("ABCD");
    const AccountRecord a = bank.AccountTable[1];
    const AccountRecord c = bank.AccountTable[3];
    const AccountRecord d = bank.AccountTable[4];
    editor.RecordIndex = 2;

    const auto outcome = DeleteRecord(editor, bank);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(bank.AccountCount, 3);
    EXPECT_EQ(bank.AccountTable[1], a);
    EXPECT_EQ(bank.AccountTable[2], c);
    EXPECT_EQ(bank.AccountTable[3], d);
    EXPECT_EQ(bank.AccountTable[4], d); // the leftover copy beyond the count
    EXPECT_EQ(outcome->boxes, (RecordBoxes{"D", " 40"}));
    EXPECT_EQ(editor.RecordIndex, 2);
    EXPECT_EQ(bank.GCNum, 1);
    EXPECT_EQ(outcome->txtDebug, " 1\\ 3 > $ 10 >>A<<");

    // Again at the same index: now D moves down onto C's place.
    const auto again = DeleteRecord(editor, bank);
    EXPECT_EQ(bank.AccountCount, 2);
    EXPECT_EQ(bank.AccountTable[2], d);
    EXPECT_EQ(again->boxes, (RecordBoxes{"D", " 40"}));
}

TEST_F(RecordEditorFixture, DeletingTheLastRecordBlanksItAndShowsTheOneBefore) {
    Accounts("ABC");
    editor.RecordIndex = 3;
    bank.GCNum = 3;
    AccountRecord blanked = bank.AccountTable[3];
    AssignText(blanked.Name, "");
    blanked.Savings = 0;

    const auto outcome = DeleteRecord(editor, bank);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(bank.AccountCount, 2);
    EXPECT_EQ(bank.AccountTable[3], blanked); // password and statistics kept
    EXPECT_EQ(outcome->boxes, (RecordBoxes{"B", " 20"}));
    EXPECT_EQ(editor.RecordIndex, 3);
    // GCNum is not adjusted: it still names the blanked slot beyond the count.
    EXPECT_EQ(outcome->txtDebug, " 3\\ 2 > $ 0 >><<");

    // A second delete at once: RecordIndex lies beyond the count, so it only lowers it.
    const auto table = bank.AccountTable;
    const auto second = DeleteRecord(editor, bank);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(bank.AccountCount, 1);
    EXPECT_EQ(second->boxes, std::nullopt);
    EXPECT_EQ(bank.AccountTable, table);
}

TEST_F(RecordEditorFixture, DeletingTheOnlyRecordThenDeletingAgainStopsAtZero) {
    Accounts("A");
    const auto first = DeleteRecord(editor, bank);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(bank.AccountCount, 0);
    // The boxes show slot 0, which holds no account and was never assigned.
    EXPECT_EQ(first->boxes, (RecordBoxes{std::string(NameWidth, '\0'), " 0"}));

    const auto table = bank.AccountTable;
    EXPECT_EQ(DeleteRecord(editor, bank), std::nullopt);
    EXPECT_EQ(bank.AccountCount, 0);
    EXPECT_EQ(bank.AccountTable, table);
    EXPECT_EQ(ShowNextRecord(editor, bank), std::nullopt);
}

TEST_F(RecordEditorFixture, IndicesOutsideTheTableNeverReachPastIt) {
    // A damaged settings file can leave GCNum outside 1..100; "C" copies it.
    for (const std::int16_t gcNum : {std::int16_t{-3}, std::int16_t{0}, std::int16_t{250}}) {
        bank = Bank{};
        Accounts("ABC");
        bank.GCNum = gcNum;
        ShowCurrentRecord(editor, bank);
        ASSERT_EQ(editor.RecordIndex, gcNum);
        const AccountRecord a = bank.AccountTable[1];
        const AccountRecord b = bank.AccountTable[2];
        const AccountRecord c = bank.AccountTable[3];

        EXPECT_TRUE(SaveRecordChanges(editor, bank, "Stray", "1"));
        EXPECT_EQ(SetAsGCNum(editor, bank).lblCurrentAccount, "Stray") << gcNum;
        EXPECT_EQ(bank.AccountTable[1], a) << gcNum; // no account was written to
        EXPECT_EQ(bank.AccountTable[2], b) << gcNum;
        EXPECT_EQ(bank.AccountTable[3], c) << gcNum;
        ASSERT_TRUE(DeleteRecord(editor, bank).has_value());
        EXPECT_EQ(bank.AccountCount, 2) << gcNum;
    }
}

} // namespace
} // namespace corvanta
