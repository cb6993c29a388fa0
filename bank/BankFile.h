#pragma once
// gbank.db, the bank database in the program's folder: headerless 46-byte little-endian
// records, one per account, text in Windows-1252. Read once at start-up, written once at
// shutdown.

#include "bank/AccountTable.h"
#include "storage/AtomicFile.h"

#include <string>
#include <string_view>

namespace corvanta {

inline constexpr std::int32_t DefaultAccountSavings = 100;

// The program folder followed by "/gbank.db"; the separator is always appended.
std::string BankFilePath(std::string_view programFolder);

// Fills the table from the file and sets AccountCount, GCNum (which holds the stored current
// account on entry) and CurrentAccountName. A missing file is created empty (a failure to
// create it is silent). A bank without a whole record gets the account "Default" with $100.
void LoadBank(Bank& bank, std::string_view programFolder);

// Replaces the file with accounts 1..AccountCount followed by the records beyond the table's
// 100 that the load kept. On failure the old file stays as it was.
SaveResult SaveBank(const Bank& bank, std::string_view programFolder);

} // namespace corvanta
