#include "common/decimal.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(LeadingInt, ReadsAsAtoiDoesButStaysInRange) {
    EXPECT_EQ(decimal::LeadingInt(" 12^x"), 12);
    EXPECT_EQ(decimal::LeadingInt("-1"), -1);
    EXPECT_EQ(decimal::LeadingInt("YES"), 0);
    EXPECT_EQ(decimal::LeadingInt("2147483648"), INT_MAX);
    EXPECT_EQ(decimal::LeadingInt("-99999999999999999999999"), INT_MIN);
}

} // namespace
