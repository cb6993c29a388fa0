#include "storage/DecimalText.h"

#include <gtest/gtest.h>

namespace corvanta {
namespace {

TEST(ConvertAmount, ReadsDecimalTextRoundingHalvesToEven) {
    struct Row {
        const char* text;
        std::optional<std::int16_t> expected;
    };
    for (const Row& row : {Row{"5", 5},
                           Row{"  17 ", 17},
                           Row{"\t8\t", 8},
                           Row{"-5", -5},
                           Row{"+6", 6},
                           Row{"4.5", 4},
                           Row{"5.5", 6},
                           Row{"4.6", 5},
                           Row{"4.50001", 5},
                           Row{"4.4999", 4},
                           Row{"-4.5", -4},
                           Row{"-5.5", -6},
                           Row{".5", 0},
                           Row{"1.5", 2},
                           Row{"7.", 7},
                           Row{"007", 7},
                           Row{"32767", 32767},
                           Row{"-32768", -32768},
                           Row{"32767.5", std::nullopt},
                           Row{"32768", std::nullopt},
                           Row{"-32769", std::nullopt},
                           Row{"9999999", std::nullopt},
                           Row{"", std::nullopt},
                           Row{"   ", std::nullopt},
                           Row{"abc", std::nullopt},
                           Row{"5a", std::nullopt},
                           Row{"1 2", std::nullopt},
                           Row{"--5", std::nullopt},
                           Row{"-", std::nullopt},
                           Row{".", std::nullopt},
                           Row{"1.2.3", std::nullopt},
                           Row{"1e3", std::nullopt},
                           Row{"1,000", std::nullopt},
                           Row{"0x10", std::nullopt},
                           Row{"99999999999999999999999999", std::nullopt}}) {
        EXPECT_EQ(ConvertAmount(row.text), row.expected) << '"' << row.text << '"';
    }
}

TEST(ConvertInt32, FloorsTowardMinusInfinityWhenAsked) {
    EXPECT_EQ(ConvertInt32(" 12.9 ", Rounding::Floor), 12);
    EXPECT_EQ(ConvertInt32("-0.5", Rounding::Floor), -1);
    EXPECT_EQ(ConvertInt32("-3", Rounding::Floor), -3);
    EXPECT_EQ(ConvertInt32("2147483647"), 2147483647);
    EXPECT_EQ(ConvertInt32("2147483648"), std::nullopt);
    EXPECT_EQ(ConvertInt32("-2147483648.4"), -2147483648LL);
}

} // namespace
} // namespace corvanta
