#include "common/hand_off_contract.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(FlagWord, WhatTheReaderOfAFlagSees) {
    // The updater's word written over the zeros, before the file is cut.
    EXPECT_EQ(hand_off::FlagWord("NO\0\0\0\0\0\0\0\0"s), "NO");
    EXPECT_EQ(hand_off::FlagWord("UPDATE"), "UPDATE");
    EXPECT_EQ(hand_off::FlagWord("YES\r\nmore"), "YES");
    EXPECT_EQ(hand_off::FlagWord(std::string(hand_off::kFlagSize, '\0')), "");
    EXPECT_EQ(hand_off::FlagWord(""), "");
    // The reader's 10-byte buffer holds at most nine.
    EXPECT_EQ(hand_off::FlagWord("TENLETTERS"), "TENLETTER");
}

} // namespace
