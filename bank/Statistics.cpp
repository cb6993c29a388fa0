#include "bank/Statistics.h"

#include "engine/Limits.h"

namespace corvanta {

void RecordRound(AccountRecord& account, const Settlement& settlement) {
    if (settlement.won) {
        account.RoundsWon = CountUp(account.RoundsWon);
        account.AmountWon = AddMoney(account.AmountWon, settlement.gain);
    } else {
        account.RoundsLost = CountUp(account.RoundsLost);
        account.AmountLost = AddMoney(account.AmountLost, settlement.loss);
    }
    account.RoundsPlayed = CountUp(account.RoundsPlayed);
}

std::int64_t AverageGains(const AccountRecord& account) {
    if (account.RoundsPlayed <= 0) {
        return 0;
    }
    return (std::int64_t{account.AmountWon} - account.AmountLost) / account.RoundsPlayed;
}

AccountStatistics StatisticsOf(const AccountRecord& account) {
    return {account.RoundsWon, account.RoundsLost, account.RoundsPlayed,
            account.AmountWon, account.AmountLost, AverageGains(account)};
}

} // namespace corvanta
