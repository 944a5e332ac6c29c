#include "common/decimal.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

TEST(LeadingInt, ReadsAsAtoiDoesButStaysInRange) {
    EXPECT_EQ(decimal::LeadingInt(" 12^x"), 12);
    EXPECT_EQ(decimal::LeadingInt("-1"), -1);
    EXPECT_EQ(decimal::LeadingInt("YES"), 0);
    EXPECT_EQ(decimal::LeadingInt("2147483648"), INT_MAX);
    EXPECT_EQ(decimal::LeadingInt("-99999999999999999999999"), INT_MIN);
}

TEST(ParseDigits, OnlyDigitsThatFit) {
    EXPECT_EQ(decimal::ParseDigits<std::uint16_t>("9400"), 9400);
    EXPECT_FALSE(decimal::ParseDigits<std::uint16_t>("70000"));
    EXPECT_FALSE(decimal::ParseDigits<int>("-1"));
    EXPECT_FALSE(decimal::ParseDigits<int>("12 "));
}

} // namespace
