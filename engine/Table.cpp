#include "engine/Table.h"

namespace corvanta {

void ResetTable(Table& table) {
    table.BetAmount = 0;
    table.DealState = DealStateCode::WaitingForBet;
    table.Discard.fill(false);
    table.Hand.fill(table.CardBG);
    table.ShowBacks = true;
}

} // namespace corvanta
