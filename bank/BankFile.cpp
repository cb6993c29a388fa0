#include "bank/BankFile.h"

#include "storage/LittleEndian.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace corvanta {
namespace {

// Where each field sits in a record. The fields are packed with no gaps, unlike the
// struct in memory, so they are copied one by one.
constexpr std::size_t NameAt = 0;
constexpr std::size_t PasswordAt = NameAt + NameWidth;
constexpr std::size_t SavingsAt = PasswordAt + PasswordWidth;
constexpr std::size_t RoundsPlayedAt = SavingsAt + 4;
constexpr std::size_t RoundsWonAt = RoundsPlayedAt + 2;
constexpr std::size_t RoundsLostAt = RoundsWonAt + 2;
constexpr std::size_t AmountWonAt = RoundsLostAt + 2;
constexpr std::size_t AmountLostAt = AmountWonAt + 4;
static_assert(AmountLostAt + 4 == RecordSize);

AccountRecord DecodeRecord(const unsigned char* bytes) {
    AccountRecord record;
    std::memcpy(record.Name.data(), bytes + NameAt, NameWidth);
    std::memcpy(record.Password.data(), bytes + PasswordAt, PasswordWidth);
    record.Savings = GetLittleEndian<std::int32_t>(bytes + SavingsAt);
    record.RoundsPlayed = GetLittleEndian<std::int16_t>(bytes + RoundsPlayedAt);
    record.RoundsWon = GetLittleEndian<std::int16_t>(bytes + RoundsWonAt);
    record.RoundsLost = GetLittleEndian<std::int16_t>(bytes + RoundsLostAt);
    record.AmountWon = GetLittleEndian<std::int32_t>(bytes + AmountWonAt);
    record.AmountLost = GetLittleEndian<std::int32_t>(bytes + AmountLostAt);
    return record;
}

RawRecord EncodeRecord(const AccountRecord& record) {
    RawRecord bytes{};
    std::memcpy(bytes.data() + NameAt, record.Name.data(), NameWidth);
    std::memcpy(bytes.data() + PasswordAt, record.Password.data(), PasswordWidth);
    PutLittleEndian(bytes.data() + SavingsAt, record.Savings);
    PutLittleEndian(bytes.data() + RoundsPlayedAt, record.RoundsPlayed);
    PutLittleEndian(bytes.data() + RoundsWonAt, record.RoundsWon);
    PutLittleEndian(bytes.data() + RoundsLostAt, record.RoundsLost);
    PutLittleEndian(bytes.data() + AmountWonAt, record.AmountWon);
    PutLittleEndian(bytes.data() + AmountLostAt, record.AmountLost);
    return bytes;
}

// The file's bytes; a missing file is created empty so the folder shows where the bank
// goes. A file that cannot be read loads as empty, and the bank is never saved over it.
ReadResult ReadBankFile(const std::string& path) {
    ReadResult file = ReadWholeFile(path, MaxBankBytes);
    if (file.error == ENOENT) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
        }
        file.error = 0;
    }
    return file;
}

} // namespace

std::string BankFilePath(std::string_view bankFolder) {
    std::string path(bankFolder);
    path += "/gbank.db";
    return path;
}

SaveResult LoadBank(Bank& bank, std::string_view bankFolder) {
    const std::string path = BankFilePath(bankFolder);
    const ReadResult file = ReadBankFile(path);
    bank.loadError = file.error;
    const std::string& bytes = file.bytes;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t records = bytes.size() / RecordSize;
    const std::size_t accounts = std::min<std::size_t>(records, MaxAccounts);

    bank.AccountTable = {};
    for (std::size_t n = 1; n <= accounts; ++n) {
        bank.AccountTable[n] = DecodeRecord(data + (n - 1) * RecordSize);
    }
    // The table holds 100 accounts; records beyond them are kept aside and written back by
    // the save, so a bank that grew too large elsewhere loses nothing.
    bank.extraRecords.clear();
    for (std::size_t n = accounts + 1; n <= records; ++n) {
        RawRecord& extra = bank.extraRecords.emplace_back();
        std::memcpy(extra.data(), data + (n - 1) * RecordSize, RecordSize);
    }
    bank.AccountCount = static_cast<std::int16_t>(accounts);

    if (bank.AccountCount == 0) {
        AccountRecord& first = bank.AccountTable[1];
        AssignText(first.Name, "Default"); // the password stays unassigned: eight NULs
        first.Savings = DefaultAccountSavings;
        bank.AccountCount = 1;
        bank.GCNum = 1;
    }
    // A stored current account outside 1..AccountCount (a damaged or hand-edited settings
    // file) would point at slot 0 or beyond the accounts.
    bank.GCNum = std::clamp<std::int16_t>(bank.GCNum, 1, bank.AccountCount);
    bank.CurrentAccountName = TrimmedText(bank.AccountTable[bank.GCNum].Name);
    return bank.loadError == 0 ? SaveResult{} : SaveResult::Failure(path, bank.loadError);
}

std::string BankBytes(const Bank& bank) {
    const int accounts = std::clamp<int>(bank.AccountCount, 0, MaxAccounts);
    std::string bytes;
    bytes.reserve((static_cast<std::size_t>(accounts) + bank.extraRecords.size()) * RecordSize);
    const auto append = [&bytes](const RawRecord& record) {
        bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    };
    for (int n = 1; n <= accounts; ++n) {
        append(EncodeRecord(bank.AccountTable[static_cast<std::size_t>(n)]));
    }
    for (const RawRecord& extra : bank.extraRecords) {
        append(extra);
    }
    return bytes;
}

std::optional<FileImage> BankImage(const Bank& bank, std::string_view bankFolder) {
    if (bank.loadError != 0) {
        return std::nullopt;
    }
    return FileImage{BankFilePath(bankFolder), BankBytes(bank)};
}

} // namespace corvanta
