#include "engine/Table.h"

namespace corvanta {

void ResetTable(Table& table) {
    table.BetAmount = 0;
    table.DealState = DealStateCode::WaitingForBet;
    table.Discard.fill(false);
    table.Hand.fill(table.CardBG);
    table.ShowBacks = true;
}

PermittedCommands Permitted(const Table& table) {
    const DealStateCode state = table.DealState;
    return {.bet = state != DealStateCode::CardsDealt,
            .deal = state != DealStateCode::WaitingForBet,
            .mark = state == DealStateCode::CardsDealt};
}

bool ToggleDiscard(Table& table, int slot) {
    if (!Permitted(table).mark || slot < 0 || slot >= HandSize) {
        return false;
    }
    table.Discard[slot] = !table.Discard[slot];
    return true;
}

void ChooseBack(Table& table, int picture) {
    if (picture >= 1 && picture <= BackCount) {
        table.OptionsCardBG = static_cast<std::int16_t>(FirstBack - 1 + picture);
    }
}

void TakeChosenBack(Table& table) {
    if (table.OptionsCardBG != table.CardBG) {
        table.CardBG = table.OptionsCardBG;
    }
}

} // namespace corvanta
