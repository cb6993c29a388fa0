#include "engine/Format.h"

#include <gtest/gtest.h>

namespace corvanta {
namespace {

TEST(Format, MoneyCountsAndTheSpacedForm) {
    EXPECT_EQ(MoneyText(100), "$100");
    EXPECT_EQ(MoneyText(-3), "$-3");
    EXPECT_EQ(MoneyText(0), "$0");
    EXPECT_EQ(PlainNumber(7), "7");
    EXPECT_EQ(PlainNumber(-7), "-7");
    EXPECT_EQ(SpacedNumber(150), " 150");
    EXPECT_EQ(SpacedNumber(0), " 0");
    EXPECT_EQ(SpacedNumber(-7), "-7");
    EXPECT_EQ(SpacedMoneyText(50), "$ 50");
}

} // namespace
} // namespace corvanta
