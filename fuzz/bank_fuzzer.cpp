// libFuzzer target: gbank.db as any bytes at all. The load must keep its promises (a
// "Default" account for a bank without a whole record, the current account inside the
// table, records beyond 100 kept aside), the labels of every account must be made without
// trouble, and saving what was loaded must give back the whole records byte for byte.
#include "ScratchFolder.h"

#include "bank/Accounts.h"
#include "bank/BankFile.h"
#include "bank/ChangeAccount.h"
#include "storage/LittleEndian.h"
#include "storage/Windows1252.h"
#include "support/SavedFiles.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace corvanta;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "bank_fuzzer: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& folder = fuzz::ScratchFolder();
    const std::string path = BankFilePath(folder);
    fuzz::PutFile(path, data, size);

    Bank bank;
    // The settings hand over a stored current account; any 16-bit number can arrive.
    bank.GCNum = size >= 2 ? GetLittleEndian<std::int16_t>(data) : std::int16_t{1};
    LoadBank(bank, folder);

    const std::size_t records = size / RecordSize;
    const std::size_t accounts = std::min<std::size_t>(records, MaxAccounts);
    Check(bank.AccountCount == static_cast<std::int16_t>(std::max<std::size_t>(accounts, 1)),
          "AccountCount is not the number of whole records (at least 1, at most 100)");
    Check(bank.extraRecords.size() == records - accounts, "records beyond 100 were not kept");
    Check(bank.GCNum >= 1 && bank.GCNum <= bank.AccountCount, "GCNum is outside the accounts");
    Check(bank.AccountTable[0] == AccountRecord{}, "slot 0 holds an account");
    for (int slot = bank.AccountCount + 1; slot <= MaxAccounts; ++slot) {
        Check(bank.AccountTable[slot] == AccountRecord{}, "a slot beyond the accounts is used");
    }
    if (records == 0) {
        Check(bank.CurrentAccountName == "Default" && bank.AccountTable[1].Savings == 100,
              "a bank without a whole record did not get \"Default\" with $100");
    }
    const AccountRecord& current = CurrentAccount(bank);
    Check(bank.CurrentAccountName == TrimmedText(current.Name), "wrong current account name");

    // Every account's labels, and its name found again by the Change Account search.
    for (int slot = 1; slot <= bank.AccountCount; ++slot) {
        const AccountRecord& account = bank.AccountTable[slot];
        const AccountFigures figures = FiguresOf(account);
        Check(figures.savings == Money{account.Savings}, "savings shown");
        const std::string name = StoredText(account.Name);
        Check(EncodeWindows1252(name) == std::string(account.Name.data(), NameWidth),
              "a stored name does not survive its decoding");
    }
    const AccountLookup found = FindAccount(bank, bank.CurrentAccountName);
    if (bank.CurrentAccountName.empty()) {
        Check(found.result == LookupResult::BlankName, "a blank name was looked up");
    } else {
        Check(found.result == LookupResult::Found && found.slot >= 1 && found.slot <= bank.GCNum,
              "the current account's name is not found");
    }

    // Saving what was loaded writes the whole records back unchanged.
    const SaveResult saved = SaveBank(bank, folder);
    Check(saved.ok, "the save failed");
    const ReadResult file = ReadWholeFile(path, MaxBankBytes);
    Check(file.error == 0, "the saved bank cannot be read");
    if (records > 0) {
        Check(file.bytes == std::string(reinterpret_cast<const char*>(data), records * RecordSize),
              "the saved bank differs from the whole records loaded");
    } else {
        Check(file.bytes.size() == RecordSize && file.bytes.starts_with("Default             "),
              "the saved bank is not the one \"Default\" account");
    }
    return 0;
}
