#include "bank/AccountEditor.h"

namespace corvanta {

EditOutcome SaveAccountChanges(Bank& bank, std::string_view typedName, std::string_view password,
                               std::string_view confirmation) {
    EditOutcome outcome;
    AccountRecord& account = CurrentAccount(bank);
    const std::string name = TrimSpaces(typedName);
    if (name.empty()) {
        outcome.status = EditStatus::BlankName;
        outcome.message = BlankNameMessage;
        outcome.restoredName = TrimmedText(account.Name);
        return outcome;
    }
    AssignText(account.Name, name);
    // A blank first box leaves the password as it is, whatever the second box holds.
    if (!TrimSpaces(password).empty()) {
        if (ComparisonKey(password) != ComparisonKey(confirmation)) {
            outcome.status = EditStatus::PasswordMismatch;
            outcome.message = PasswordMismatchMessage;
            return outcome;
        }
        AssignText(account.Password, TrimSpaces(password));
    }
    outcome.storedName = StoredText(account.Name);
    return outcome;
}

} // namespace corvanta
