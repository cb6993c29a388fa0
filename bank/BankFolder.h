#pragma once
// Where gbank.db lives, and the lock beside it.
//
// A bank that is already beside the program is used there: a portable copy, or a bank
// brought from elsewhere and put beside the game; but only where it and its folder belong to
// the player and no one else can write the folder, as ssh checks its files (others could
// otherwise swap the bank or plant files beside it). Every other bank lives in the player's
// data folder, so that removing a build, a fresh clone or an installed copy never takes the
// accounts with it.

#include <string>
#include <string_view>

namespace corvanta {

struct BankPlace {
    std::string folder; // where gbank.db is read and saved
    std::string note;   // why a gbank.db beside the program was not used; empty otherwise
};

// `programFolder` when a usable gbank.db is there, and otherwise <dataFolder>/corvanta
// ($XDG_DATA_HOME/corvanta); the game creates that folder at start-up.
BankPlace ChooseBankFolder(const std::string& programFolder, const std::string& dataFolder);

// <bankFolder>/gbank.db.lock, held while the game runs.
std::string LockFilePath(std::string_view bankFolder);

} // namespace corvanta
