#include "engine/Table.h"

namespace corvanta {

void ResetTable(Table& table) {
    table.BetAmount = 0;
    table.DealState = DealStateCode::WaitingForBet;
    table.Discard.fill(false);
    table.Hand.fill(table.CardBG);
    table.ShowBacks = true;
    table.finalHandShown = false;
}

ShownCard CardShownAt(const Table& table, int slot) {
    if (table.finalHandShown) {
        return {table.finalHand[slot], ShownCard::Side::Face};
    }
    if (table.ShowBacks) {
        return {table.CardBG, ShownCard::Side::Back};
    }
    return {table.Hand[slot],
            table.Discard[slot] ? ShownCard::Side::InvertedFace : ShownCard::Side::Face};
}

PermittedCommands Permitted(DealStateCode state) {
    return {.bet = state != DealStateCode::CardsDealt,
            .deal = state != DealStateCode::WaitingForBet,
            .mark = state == DealStateCode::CardsDealt};
}

PermittedCommands Permitted(const Table& table) {
    return Permitted(table.DealState);
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
        table.OptionsCardBG = BackOfPicture(picture);
    }
}

void TakeChosenBack(Table& table) {
    if (table.OptionsCardBG != table.CardBG) {
        table.CardBG = table.OptionsCardBG;
    }
}

} // namespace corvanta
