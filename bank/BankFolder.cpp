#include "bank/BankFolder.h"

#include "bank/BankFile.h"

#include <sys/stat.h>
#include <unistd.h>

namespace corvanta {
namespace {

// Why the bank beside the program cannot be trusted; empty when it can.
std::string Distrust(const std::string& folder, const struct stat& bank) {
    struct stat place {};
    if (::stat(folder.c_str(), &place) != 0) {
        return "its folder cannot be examined";
    }
    if (!S_ISREG(bank.st_mode)) {
        return "it is not a regular file";
    }
    if (bank.st_uid != ::geteuid() || place.st_uid != ::geteuid()) {
        return "it or its folder belongs to another user";
    }
    if ((place.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return "others can write its folder";
    }
    return {};
}

} // namespace

BankPlace ChooseBankFolder(const std::string& programFolder, const std::string& dataFolder) {
    BankPlace place{dataFolder + "/corvanta", {}};
    struct stat bank {};
    if (::lstat(BankFilePath(programFolder).c_str(), &bank) != 0) {
        return place; // no bank beside the program
    }
    const std::string distrust = Distrust(programFolder, bank);
    if (distrust.empty()) {
        return {programFolder, {}}; // a portable copy, or a bank brought from elsewhere
    }
    place.note = "The gbank.db beside the program is not used: " + distrust + ".";
    return place;
}

std::string LockFilePath(std::string_view bankFolder) {
    return BankFilePath(bankFolder) + ".lock";
}

} // namespace corvanta
