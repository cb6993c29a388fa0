#pragma once
// Save Changes of the account editor (frmAccount): the current account's name and password.

#include "bank/AccountTable.h"

#include <string>
#include <string_view>

namespace corvanta {

inline constexpr std::string_view EditAccountTitle = "Corvanta - Edit Account";
inline constexpr std::string_view BlankNameMessage =
    "Unable to save the new name!\rNames cannot consist solely of spaces, but may include "
    "letters, numbers, or punctuation.";
inline constexpr std::string_view PasswordMismatchMessage =
    "Unable to save the new password!\rThe two entries do not match. Please input the "
    "password again.";

enum class EditStatus {
    Saved,            // the window closes; the main window shows storedName
    BlankName,        // show message; the name box gets restoredName; stay open; nothing stored
    PasswordMismatch, // show message; empty both password boxes; stay open (name is stored)
};

struct EditOutcome {
    EditStatus status = EditStatus::Saved;
    std::string_view message; // title EditAccountTitle; empty when saved
    std::string restoredName; // BlankName: the stored name, trimmed
    std::string storedName;   // Saved: the stored Name, all 20 characters
};

// Save Changes on the current account. The name is stored (trimmed, cut or padded to 20)
// before the password is looked at; the password is stored when both entries match without
// regard to case and surrounding spaces, and left alone when the first box is blank.
EditOutcome SaveAccountChanges(Bank& bank, std::string_view typedName, std::string_view password,
                               std::string_view confirmation);

} // namespace corvanta
