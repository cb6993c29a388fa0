#include "bank/RecordEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace corvanta {
namespace {

std::string Padded(std::string text) {
    text.resize(NameWidth, ' ');
    return text;
}

// Accounts named by the letters with savings 10, 20, 30... and passwords and statistics of
// their own, so a moved record shows whether it moved whole. The first is current.
Bank BankOf(std::string_view letters) {
    Bank bank;
    for (const char letter : letters) {
        const int n = ++bank.AccountCount;
        AccountRecord& account = bank.AccountTable[n];
        AssignText(account.Name, std::string(1, letter));
        AssignText(account.Password, std::string("pw") + letter);
        account.Savings = 10 * n;
        account.RoundsPlayed = static_cast<std::int16_t>(n);
    }
    return bank;
}

TEST(RecordEditor, ShowsTheRecordsTrimmedOrAsStoredAndStopsAtBothEnds) {
    Bank bank = BankOf("ABC");
    AssignText(bank.AccountTable[2].Name, " Main ");
    bank.AccountTable[2].Savings = 150;
    bank.AccountTable[3].Savings = -7;
    bank.GCNum = 2;
    RecordEditor editor{3};
    const EditorStart start = StartRecordEditor(editor, bank);
    EXPECT_EQ(start.view, (RecordView{{"A", " 10"}, " 1"}));
    EXPECT_EQ(start.summary, " 2\\ 3 > $ 150 >>Main<<");
    EXPECT_EQ(ShowPreviousRecord(editor, bank), std::nullopt);
    EXPECT_EQ(ShowNextRecord(editor, bank), (RecordView{{Padded(" Main"), "150"}, " 2"}));
    EXPECT_EQ(ShowNextRecord(editor, bank), (RecordView{{Padded("C"), "-7"}, " 3"}));
    EXPECT_EQ(ShowNextRecord(editor, bank), std::nullopt);
    EXPECT_EQ(ShowPreviousRecord(editor, bank), (RecordView{{Padded(" Main"), "150"}, " 2"}));
    EXPECT_EQ(ShowCurrentRecord(editor, bank), (RecordView{{"Main", " 150"}, " 2"}));
    bank.GCNum = 3;
    EXPECT_EQ(ShowCurrentRecord(editor, bank), (RecordView{{"C", "-7"}, " 3"}));
    EXPECT_EQ(AccountSummary(bank), " 3\\ 3 > $-7 >>C<<");
    editor.RecordIndex = 1;
    const CurrentAccountChange change = SetAsGCNum(editor, bank);
    EXPECT_EQ(bank.GCNum, 1);
    EXPECT_EQ(change.name, "A");
    EXPECT_EQ(change.savings, (Money{10, MoneyForm::Plain}));
    EXPECT_EQ(change.summary, " 1\\ 3 > $ 10 >>A<<");
}

// A new record shows what its slot holds: never used, or the leftovers of a deletion.
TEST(RecordEditor, NewRecordKeepsWhatTheSlotHoldsUntilTheTableIsFull) {
    Bank bank = BankOf("AB");
    RecordEditor editor;
    EXPECT_EQ(NewRecord(editor, bank), (RecordView{{std::string(NameWidth, '\0'), "0"}, " 3"}));
    EXPECT_EQ(bank.AccountCount, 3);
    bank = BankOf("ABC");
    editor.RecordIndex = 1;
    ASSERT_TRUE(DeleteRecord(editor, bank)); // B and C move down, slot 3 keeps a copy of C
    EXPECT_EQ(NewRecord(editor, bank), (RecordView{{Padded("C"), "30"}, " 3"}));
    EXPECT_EQ(editor.RecordIndex, 3);

    bank = BankOf(std::string(MaxAccounts, 'x'));
    const Bank full = bank;
    EXPECT_EQ(NewRecord(editor, bank), std::nullopt);
    EXPECT_EQ(bank.AccountCount, MaxAccounts);
    EXPECT_EQ(bank.AccountTable, full.AccountTable);
    EXPECT_EQ(editor.RecordIndex, 3);
}

// Savings are read rounding toward minus infinity; savings that do not read change nothing,
// the name included.
TEST(RecordEditor, SaveChangesStoresTheNameAndFlooredSavingsOrNothing) {
    const std::tuple<const char*, const char*, std::string, std::int32_t> rows[] = {
        {" Bob ", " 12.9 ", Padded("Bob"), 12},
        {"Bob", "-0.5", Padded("Bob"), -1},
        {"Bob", " 150", Padded("Bob"), 150}, // the spaced form reads back
        {"", "5", Padded(""), 5},            // no check on the name
        {"Abcdefghij Klmnopqrst Uvwxy", "1", "Abcdefghij Klmnopqrs", 1},
        {"Max", "2147483647.9", Padded("Max"), 2147483647},
        {"Min", "-2147483648", Padded("Min"), -2147483647 - 1}};
    for (const auto& [name, savings, storedName, storedSavings] : rows) {
        Bank bank = BankOf("ABC");
        AccountRecord expected = bank.AccountTable[2];
        AssignText(expected.Name, storedName);
        expected.Savings = storedSavings;
        EXPECT_TRUE(SaveRecordChanges(RecordEditor{2}, bank, name, savings)) << savings;
        EXPECT_EQ(bank.AccountTable[2], expected) << name << '/' << savings;
    }
    for (const char* savings : {"", "12abc", "1,000", "2147483648", "-2147483648.5"}) {
        Bank bank = BankOf("ABC");
        const Bank before = bank;
        EXPECT_FALSE(SaveRecordChanges(RecordEditor{2}, bank, "Typo", savings)) << savings;
        EXPECT_EQ(bank.AccountTable, before.AccountTable) << savings;
    }
}

// Below the last account the records above move down, leaving a copy of the last beyond the
// count; the last is blanked (its password and statistics kept); GCNum is never adjusted.
TEST(RecordEditor, DeleteMovesTheRecordsAboveDownOrBlanksTheLast) {
    Bank bank = BankOf("ABCD");
    const AccountRecord c = bank.AccountTable[3];
    const AccountRecord d = bank.AccountTable[4];
    const auto middle = DeleteRecord(RecordEditor{2}, bank);
    ASSERT_TRUE(middle);
    EXPECT_EQ(bank.AccountCount, 3);
    EXPECT_EQ(bank.AccountTable[2], c);
    EXPECT_EQ(bank.AccountTable[3], d);
    EXPECT_EQ(bank.AccountTable[4], d);
    EXPECT_EQ(middle->shown, (RecordText{"D", " 40"}));
    EXPECT_EQ(middle->summary, " 1\\ 3 > $ 10 >>A<<");

    bank.GCNum = 3;
    AccountRecord blanked = d;
    AssignText(blanked.Name, "");
    blanked.Savings = 0;
    const auto last = DeleteRecord(RecordEditor{3}, bank);
    ASSERT_TRUE(last);
    EXPECT_EQ(bank.AccountCount, 2);
    EXPECT_EQ(bank.AccountTable[3], blanked);
    EXPECT_EQ(last->shown, (RecordText{"C", " 30"}));
    EXPECT_EQ(last->summary, " 3\\ 2 > $ 0 >><<");

    // The index now lies beyond the count: a delete only lowers the count.
    const auto table = bank.AccountTable;
    const auto beyond = DeleteRecord(RecordEditor{3}, bank);
    ASSERT_TRUE(beyond);
    EXPECT_EQ(beyond->shown, std::nullopt);
    EXPECT_EQ(bank.AccountCount, 1);
    EXPECT_EQ(bank.AccountTable, table);
    ASSERT_TRUE(DeleteRecord(RecordEditor{1}, bank)); // the boxes show the unused slot 0
    EXPECT_EQ(DeleteRecord(RecordEditor{1}, bank), std::nullopt);
    EXPECT_EQ(bank.AccountCount, 0);
}

} // namespace
} // namespace corvanta
