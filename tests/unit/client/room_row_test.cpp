#include "client/protocol/room_row.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Fields(std::initializer_list<const char*> fields) { return {fields.begin(), fields.end()}; }

TEST(RoomRows, EachGroupOfEightIsARowUntilEnd) {
    auto rows = lobby::ParseRoomRows(Fields({"a", "1", "0", "1", "4", "G", "YES", "x",  //
                                             "b", "2", "0", "2", "4", "G", "NO", "[END]",  //
                                             "c", "3", "0", "1", "4", "G", "YES", "x"}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Text(), "1. [G] a (1/4) <대기중>");
    EXPECT_EQ(rows[1].Text(), "2. [G] b (2/4) <게임중>");
}

TEST(RoomRows, SevenFieldsAreShownAndEndTheList) {
    auto rows = lobby::ParseRoomRows(Fields({"a", "1", "0", "1", "4", "G", "YES"}));
    ASSERT_EQ(rows.size(), 1u);
}

TEST(RoomRows, IncompleteRowIsNotShownAndEndsTheList) {
    auto rows = lobby::ParseRoomRows(Fields({"a", "1", "0", "1", "4", "G", "YES", "x", "b", "2", "0"}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].title, "a");
}

TEST(RoomRowText, NumberAtTheStartBeforeFullStopAndBlank) {
    EXPECT_EQ(lobby::RoomNumberOfRowText("12. [G] t (1/2) <대기중>"), 12);
    EXPECT_EQ(lobby::RoomNumberOfRowText("-3. [G] t"), -3);
    EXPECT_EQ(lobby::RoomNumberOfRowText(""), lobby::kNoRoomNumber);
    EXPECT_EQ(lobby::RoomNumberOfRowText("12.[G]"), lobby::kNoRoomNumber);
    EXPECT_EQ(lobby::RoomNumberOfRowText("x. y"), lobby::kNoRoomNumber);
}

} // namespace
