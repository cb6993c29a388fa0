#include "bank/AccountTable.h"

#include "storage/Windows1252.h"

#include <algorithm>
#include <cstring>

namespace corvanta {

AccountRecord& CurrentAccount(Bank& bank) {
    return bank.AccountTable[std::clamp<int>(bank.GCNum, 0, MaxAccounts)];
}

const AccountRecord& CurrentAccount(const Bank& bank) {
    return bank.AccountTable[std::clamp<int>(bank.GCNum, 0, MaxAccounts)];
}

void AssignText(char* field, std::size_t width, std::string_view utf8) {
    const std::string bytes = EncodeWindows1252(utf8);
    const std::size_t kept = std::min(width, bytes.size());
    std::memcpy(field, bytes.data(), kept);
    std::memset(field + kept, ' ', width - kept);
}

std::string StoredText(const char* field, std::size_t width) {
    return DecodeWindows1252(std::string_view(field, width));
}

std::string ComparisonKey(std::string_view utf8) {
    return UpperWindows1252(TrimSpaces(EncodeWindows1252(utf8)));
}

} // namespace corvanta
