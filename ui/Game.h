#pragma once
// Everything a running game holds, owned by main() (or a test) and lent to the windows.

#include "bank/AccountTable.h"
#include "engine/Table.h"

#include <string>

namespace corvanta {

class CardDrawing;
class RandomSource;

struct Game {
    Table table;
    Bank bank;
    std::string bankFolder;   // where gbank.db lives (see ChooseBankFolder)
    std::string configFolder; // the per-user settings folder ($XDG_CONFIG_HOME)
    CardDrawing& cards;
    RandomSource& random;
};

} // namespace corvanta
