#include "common/cp949.h"

#include <gtest/gtest.h>

namespace {

TEST(CutToBytes, NeverSplitsATwoByteCharacter) {
    std::string hangul = "가나다";  // 6 bytes in CP949
    ASSERT_EQ(hangul.size(), 6u);
    EXPECT_EQ(cp949::CutToBytes(hangul, 5), "가나");
    EXPECT_EQ(cp949::CutToBytes(hangul, 4), "가나");
    EXPECT_EQ(cp949::CutToBytes("a가", 2), "a");
    EXPECT_EQ(cp949::CutToBytes("abc", 10), "abc");
    EXPECT_EQ(cp949::CutToBytes("abc", 0), "");
}

TEST(CutToBytes, DanglingLeadByteAtTheEndCountsAsOne) {
    std::string text = "ab\xB0";
    EXPECT_EQ(cp949::CutToBytes(text, 3), text);
}

} // namespace
