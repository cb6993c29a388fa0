#pragma once
// gbank.db, the bank database: headerless 46-byte little-endian records, one per account,
// text in Windows-1252. Read once at start-up; written with the settings at every save point.

#include "bank/AccountTable.h"
#include "storage/AtomicFile.h"
#include "storage/SaveJournal.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvanta {

inline constexpr std::int32_t DefaultAccountSavings = 100;
// More than any real bank: 100 accounts are 4,600 bytes. A larger file is not read.
inline constexpr std::size_t MaxBankBytes = 1024 * 1024;

// The bank's folder followed by "/gbank.db"; the separator is always appended.
std::string BankFilePath(std::string_view bankFolder);

// Fills the table from the file and sets AccountCount, GCNum (which holds the stored current
// account on entry) and CurrentAccountName. A missing file is created empty (a failure to
// create it is silent). A bank without a whole record gets the account "Default" with $100.
// A file that cannot be read (a folder or a FIFO in its place, no permission, over
// MaxBankBytes) loads as that empty bank, is marked unreadable, and the reason is returned.
SaveResult LoadBank(Bank& bank, std::string_view bankFolder);

// The file's bytes: accounts 1..AccountCount followed by the records beyond the table's 100
// that the load kept.
std::string BankBytes(const Bank& bank);

// The file as a save writes it (BankBytes at BankFilePath); nothing for a bank loaded from a
// file the game could not read, which is never saved over.
std::optional<FileImage> BankImage(const Bank& bank, std::string_view bankFolder);

} // namespace corvanta
