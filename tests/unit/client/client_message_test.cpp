#include "client/protocol/client_message.h"
#include "client/protocol/outgoing_messages.h"
#include "client/protocol/server_message.h"
#include "client/protocol/server_replies.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace lobby;

TEST(ClientMessage, EveryFormTheClientBuildsParsesBack) {
    EXPECT_EQ(std::get<request::Login>(ParseClientMessage(outgoing::Login("김철수"))).userId, "김철수");
    auto room = std::get<request::NewRoom>(ParseClientMessage(outgoing::NewRoom("초보만", 8, 1, "StarCraft")));
    EXPECT_EQ(room.title, "초보만");
    EXPECT_EQ(room.capacity, 8);
    EXPECT_EQ(room.gameKind, 1);
    EXPECT_EQ(room.gameName, "StarCraft");
    EXPECT_EQ(std::get<request::Join>(ParseClientMessage(outgoing::Join(65))).roomNumber, 65);
    auto memo = std::get<request::Memo>(ParseClientMessage(outgoing::Memo("lee", "hi there")));
    EXPECT_EQ(memo.recipient, "lee");
    EXPECT_EQ(memo.text, "hi there");
    EXPECT_EQ(std::get<request::Memo>(ParseClientMessage(outgoing::Memo("lee", ""))).text, "");
    EXPECT_TRUE(std::holds_alternative<request::Alive>(ParseClientMessage(outgoing::kAlive)));
    EXPECT_TRUE(std::holds_alternative<request::Leave>(ParseClientMessage(outgoing::kLeaveRoom)));
    EXPECT_TRUE(std::holds_alternative<request::HostGameStart>(ParseClientMessage(outgoing::kHostGameStart)));
    EXPECT_EQ(std::get<request::Chat>(ParseClientMessage("[kim] NEW^ a^b")).line, "[kim] NEW^ a^b");
}

TEST(ClientMessage, FieldsThatWouldHideACaretOrGoMissingAreMalformed) {
    for (const char* text : {"ID^", "ID^a^b", "NEW^t^8^1^g", "NEW^t^^8^1^g^", "NEW^t^8^1^g^x^", "NEW^t^eight^1^g^",
                             "NEW^t^-8^1^g^", "JOIN^", "JOIN^1^2", "JOIN^ 1", "FIND_USER^lee", "FIND_USER^^text",
                             "FIND_USER^lee^a^b"})
        EXPECT_TRUE(std::holds_alternative<request::Malformed>(ParseClientMessage(text))) << text;
    for (const char* text : {"HELLO", "TOPS", "I_AM_ALIVE ", "id^kim"})
        EXPECT_TRUE(std::holds_alternative<request::Unknown>(ParseClientMessage(text))) << text;
}

TEST(ClientMessage, ABlockWithoutItsNulHoldsNoText) {
    EXPECT_EQ(TextOfBlock(std::string("TOP\0\0\0", 6)), "TOP");
    EXPECT_FALSE(TextOfBlock(std::string(512, 'a')));
}

TEST(ServerReplies, ShortRepliesArePaddedSoTheClientReadsThem) {
    auto address = std::get<message::ClientAddress>(ParseServerMessage(reply::ClientAddress("1.2.3.4")));
    EXPECT_EQ(address.address, "1.2.3.4");
    EXPECT_EQ(std::get<message::RoomNumber>(ParseServerMessage(reply::RoomNumber(7))).number, 7);
    EXPECT_EQ(std::get<message::RoomNumber>(ParseServerMessage(reply::RoomNumber(65))).number, 65);
    EXPECT_TRUE(std::get<message::LoginReply>(ParseServerMessage(reply::LoginReply(true))).accepted);
    EXPECT_FALSE(std::get<message::LoginReply>(ParseServerMessage(reply::LoginReply(false))).accepted);
    auto join = std::get<message::JoinReply>(ParseServerMessage(reply::JoinAccepted("StarCraft", 1)));
    EXPECT_TRUE(join.yes && join.hasGame);
    EXPECT_EQ(join.gameKind, 1);
    EXPECT_FALSE(std::get<message::JoinReply>(ParseServerMessage(reply::JoinRefused())).yes);
    EXPECT_EQ(std::get<message::Memo>(ParseServerMessage(reply::Memo("kim", ""))).text, " ");
}

TEST(ServerReplies, ListsKeepWholeEntriesThatFit) {
    std::vector<RoomRow> rows;
    for (int number = 0; number < 20; ++number)
        rows.push_back({"방" + std::to_string(number), number, "1", "8", "StarCraft", number % 2 == 0});
    std::string list = reply::RoomList(rows, 200);
    EXPECT_LE(list.size(), 200u);
    auto shown = std::get<message::RoomList>(ParseServerMessage(list)).rows;
    ASSERT_GE(shown.size(), 2u);
    ASSERT_LT(shown.size(), rows.size());
    EXPECT_EQ(shown[1].Text(), "1. [StarCraft] 방1 (1/8) <게임중>");
    EXPECT_EQ(list.substr(list.size() - 6), "^[END]");
    EXPECT_EQ(reply::RoomList({}, 200), "INIT_TREE");

    std::string users = reply::UserList({"aaaa", "bbbb", "cccc"}, 15);
    EXPECT_EQ(users, "ROOT^aaaa^bbbb");
}

} // namespace
