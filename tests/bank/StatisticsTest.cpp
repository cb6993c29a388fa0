#include "bank/Statistics.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvanta {
namespace {

constexpr std::int16_t MaxCount = std::numeric_limits<std::int16_t>::max();
constexpr std::int32_t MaxMoney = std::numeric_limits<std::int32_t>::max();

Settlement Won(std::int64_t gain) {
    Settlement settlement;
    settlement.won = true;
    settlement.gain = gain;
    return settlement;
}

Settlement Lost(std::int64_t loss) {
    Settlement settlement;
    settlement.loss = loss;
    return settlement;
}

TEST(RecordRound, AWonRoundCountsItsGainAndALostRoundItsStake) {
    AccountRecord account;
    account.Savings = 70;
    RecordRound(account, Won(55));
    RecordRound(account, Won(0)); // a pair: won, nothing gained
    RecordRound(account, Lost(25));
    EXPECT_EQ(account.RoundsPlayed, 3);
    EXPECT_EQ(account.RoundsWon, 2);
    EXPECT_EQ(account.RoundsLost, 1);
    EXPECT_EQ(account.AmountWon, 55);
    EXPECT_EQ(account.AmountLost, 25);
    EXPECT_EQ(account.Savings, 70); // the cash is the table's; the savings stay
}

TEST(RecordRound, CountersAndAmountsStopAtTheirLimits) {
    AccountRecord account;
    account.RoundsPlayed = MaxCount;
    account.RoundsWon = MaxCount;
    account.AmountWon = MaxMoney - 1;
    RecordRound(account, Won(2'970'000));
    EXPECT_EQ(account.RoundsPlayed, MaxCount);
    EXPECT_EQ(account.RoundsWon, MaxCount);
    EXPECT_EQ(account.AmountWon, MaxMoney);

    account.RoundsLost = MaxCount;
    account.AmountLost = MaxMoney;
    RecordRound(account, Lost(30000));
    EXPECT_EQ(account.RoundsLost, MaxCount);
    EXPECT_EQ(account.AmountLost, MaxMoney);
    EXPECT_EQ(account.RoundsPlayed, MaxCount);
}

TEST(AverageGains, TruncateTowardZero) {
    struct Row {
        std::int16_t played;
        std::int32_t won, lost;
        std::int64_t expected;
    };
    for (const Row& row :
         {Row{1, 0, 5, -5}, Row{3, 7, 12, -1}, Row{3, 10, 25, -5}, Row{4, 10, 0, 2},
          Row{0, 50, 0, 0}, Row{-2, 50, 0, 0}, Row{1, 2147483647, -2147483647 - 1, 4294967295LL}}) {
        AccountRecord account;
        account.RoundsPlayed = row.played;
        account.AmountWon = row.won;
        account.AmountLost = row.lost;
        EXPECT_EQ(AverageGains(account), row.expected)
            << row.played << ' ' << row.won << ' ' << row.lost;
    }
}

} // namespace
} // namespace corvanta
