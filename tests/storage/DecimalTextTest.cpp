#include "storage/DecimalText.h"

#include <gtest/gtest.h>

namespace corvanta {
namespace {

TEST(DecimalText, AmountsReadAsSixteenBitNumbersRoundingHalvesToEven) {
    const std::pair<const char*, int> numbers[] = {
        {"5", 5},         {"  17 ", 17},     {"\t8\t", 8}, {"-5", -5},     {"+6", 6},
        {"4.5", 4},       {"5.5", 6},        {"4.6", 5},   {"4.50001", 5}, {"4.4999", 4},
        {"-4.5", -4},     {"-5.5", -6},      {".5", 0},    {"7.", 7},      {"007", 7},
        {"32767", 32767}, {"-32768", -32768}};
    for (const auto& [text, number] : numbers) {
        EXPECT_EQ(ConvertAmount(text), number) << '"' << text << '"';
    }
    for (const char* text : {"32767.5", "32768", "-32769", "", "   ", "5a", "1 2", "--5", "-", ".",
                             "1.2.3", "1e3", "1,000", "0x10", "99999999999999999999999999"}) {
        EXPECT_EQ(ConvertAmount(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(DecimalText, WiderNumbersRoundHalvesToEvenOrFloorWhenAsked) {
    EXPECT_EQ(ConvertInt32(" 12.9 ", Rounding::Floor), 12);
    EXPECT_EQ(ConvertInt32("-0.5", Rounding::Floor), -1);
    EXPECT_EQ(ConvertInt32("-3", Rounding::Floor), -3);
    EXPECT_EQ(ConvertInt32("2147483647"), 2147483647);
    EXPECT_EQ(ConvertInt32("2147483648"), std::nullopt);
    EXPECT_EQ(ConvertInt32("-2147483648.4"), -2147483648LL);
    EXPECT_EQ(ReadWholeNumber("-999999999999999999.5", Rounding::Floor), -1000000000000000000);
    EXPECT_EQ(ReadWholeNumber("9223372036854775808", Rounding::Floor), std::nullopt);
}

} // namespace
} // namespace corvanta
