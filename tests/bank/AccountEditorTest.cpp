#include "bank/AccountEditor.h"
#include "bank/ChangeAccount.h"

#include <gtest/gtest.h>

#include <string>

namespace corvanta {
namespace {

std::string Padded(std::string text, std::size_t width = NameWidth) {
    text.resize(width, ' ');
    return text;
}

struct EditorFixture : ::testing::Test {
    // Appends an account the way a loaded bank holds it.
    AccountRecord& Add(std::string_view name, std::int32_t savings) {
        AccountRecord& account = bank.AccountTable[++bank.AccountCount];
        AssignText(account.Name, name);
        account.Savings = savings;
        return account;
    }

    Bank bank;
};

TEST_F(EditorFixture, SaveChangesStoresTheNameAndAMatchingPassword) {
    struct Row {
        const char* name;
        const char* password;
        const char* confirmation;
        std::string storedName;
        std::string storedPassword; // "old" when the password stays
    };
    const std::string old = Padded("old", PasswordWidth);
    for (const Row& row : {
             Row{"  Ace  ", "", "", Padded("Ace"), old},
             Row{"Abcdefghij Klmnopqrst Uvwxy", "", "", "Abcdefghij Klmnopqrs", old},
             Row{"Ace", "SeCreT", "SECRET", Padded("Ace"), Padded("SeCreT", PasswordWidth)},
             Row{"Ace", " pass ", "PaSs", Padded("Ace"), Padded("pass", PasswordWidth)},
             Row{"Ace", "ëlan", "ËLAN", Padded("Ace"), "ëlan    " /* 8 characters */},
             Row{"Ace", "", "whatever", Padded("Ace"), old},
             Row{"Ace", "   ", "whatever", Padded("Ace"), old},
         }) {
        Bank rowBank;
        rowBank.AccountCount = 1;
        rowBank.GCNum = 1;
        AccountRecord& account = rowBank.AccountTable[1];
        AssignText(account.Name, "Before");
        AssignText(account.Password, "old");

        const EditOutcome outcome =
            SaveAccountChanges(rowBank, row.name, row.password, row.confirmation);
        EXPECT_EQ(outcome.status, EditStatus::Saved) << row.name << '/' << row.password;
        EXPECT_TRUE(outcome.message.empty());
        EXPECT_EQ(StoredText(account.Name), row.storedName) << row.name;
        EXPECT_EQ(outcome.accountCaption, row.storedName) << row.name; // with its 20 chars
        EXPECT_EQ(StoredText(account.Password), row.storedPassword) << row.password;
    }
}

TEST_F(EditorFixture, ASavedNameIsFoundByChangeAccountInAnyCase) {
    Add("Default", 100);
    Add("Other", 100);
    bank.GCNum = 2;
    SaveAccountChanges(bank, "  Ace  ", "", "");
    EXPECT_EQ(FindAccount(bank, "ace").slot, 2);
}

TEST_F(EditorFixture, ABlankNameIsRefusedAndNothingIsStored) {
    AccountRecord& account = Add("  Main ", 10);
    AssignText(account.Password, "old");
    bank.GCNum = 1;
    const AccountRecord before = account;
    for (const char* name : {"", "     "}) {
        const EditOutcome outcome = SaveAccountChanges(bank, name, "new", "new");
        EXPECT_EQ(outcome.status, EditStatus::BlankName);
        EXPECT_EQ(outcome.message, "Unable to save the new name!\rNames cannot consist solely of "
                                   "spaces, but may include letters, numbers, or punctuation.");
        EXPECT_EQ(outcome.restoredName, "Main");
        EXPECT_EQ(account, before);
    }
}

TEST_F(EditorFixture, MismatchedPasswordsKeepTheNewNameButNotThePassword) {
    AccountRecord& account = Add("Before", 10);
    AssignText(account.Password, "old");
    bank.GCNum = 1;
    const EditOutcome outcome = SaveAccountChanges(bank, "After", "one", "two");
    EXPECT_EQ(outcome.status, EditStatus::PasswordMismatch);
    EXPECT_EQ(outcome.message, "Unable to save the new password!\rThe two entries do not match. "
                               "Please input the password again.");
    EXPECT_EQ(StoredText(account.Name), Padded("After"));
    EXPECT_EQ(StoredText(account.Password), Padded("old", PasswordWidth));
    EXPECT_TRUE(outcome.accountCaption.empty()); // the main window keeps the old caption
}

} // namespace
} // namespace corvanta
