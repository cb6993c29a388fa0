#pragma once
// The bank's accounts in memory: the 46-byte record of gbank.db and the table of 101 slots.

#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvanta {

// A fixed-width text field holds exactly N single-byte (Windows-1252) characters.
// All NUL means "never assigned"; an assigned value is cut to N or padded with spaces.
template <std::size_t N> using FixedText = std::array<char, N>;

inline constexpr std::size_t NameWidth = 20;
inline constexpr std::size_t PasswordWidth = 8;

struct AccountRecord {
    FixedText<NameWidth> Name{};
    FixedText<PasswordWidth> Password{};
    std::int32_t Savings = 0;
    std::int16_t RoundsPlayed = 0;
    std::int16_t RoundsWon = 0;
    std::int16_t RoundsLost = 0;
    std::int32_t AmountWon = 0;
    std::int32_t AmountLost = 0;

    bool operator==(const AccountRecord&) const = default;
};

inline constexpr int MaxAccounts = 100;
inline constexpr std::size_t RecordSize = 46;
using RawRecord = std::array<unsigned char, RecordSize>;

// The whole bank: slot 0 is never an account; accounts fill slots 1..AccountCount.
struct Bank {
    std::array<AccountRecord, MaxAccounts + 1> AccountTable{};
    std::int16_t AccountCount = 0;
    std::int16_t GCNum = 1;
    std::string CurrentAccountName; // UTF-8, trimmed, as computed by LoadBank
    // Records found in the file beyond the 100 the table holds; written back unchanged.
    std::vector<RawRecord> extraRecords;
    // Why the file could not be read at start-up (an errno value or NotARegularFile); 0 when
    // it was read whole or was missing. A bank the game could not read is never saved over.
    int loadError = 0;
};

// The current account. GCNum is kept inside the table by LoadBank; this also guards
// against a value the debug console or a damaged settings file might leave behind.
AccountRecord& CurrentAccount(Bank& bank);
const AccountRecord& CurrentAccount(const Bank& bank);

// Assigns UTF-8 text to a fixed field: encoded as Windows-1252 ('?' for characters it
// cannot hold), cut to N characters, padded with spaces.
void AssignText(char* field, std::size_t width, std::string_view utf8);
template <std::size_t N> void AssignText(FixedText<N>& field, std::string_view utf8) {
    AssignText(field.data(), N, utf8);
}

// The field as stored, decoded to UTF-8 (NUL characters kept as they are).
std::string StoredText(const char* field, std::size_t width);
template <std::size_t N> std::string StoredText(const FixedText<N>& field) {
    return StoredText(field.data(), N);
}

// The field with leading and trailing spaces removed (only spaces; NULs stay).
template <std::size_t N> std::string TrimmedText(const FixedText<N>& field) {
    return TrimSpaces(StoredText(field));
}

// What two names or passwords are compared by: trimmed of spaces and upper-cased in the
// code page of the record fields, so "ace" finds "Ace" and "ë" finds "Ë".
template <std::size_t N> std::string ComparisonKey(const FixedText<N>& field) {
    return UpperWindows1252(TrimSpaces(std::string_view(field.data(), N)));
}
// Typed text in the same terms; a character the code page cannot hold reads as '?', exactly
// as it would be stored.
std::string ComparisonKey(std::string_view utf8);

} // namespace corvanta
