#include "client/protocol/server_message.h"

#include <gtest/gtest.h>

namespace {

namespace m = lobby::message;

template <typename T>
const T& As(const lobby::ServerMessage& message) {
    EXPECT_TRUE(std::holds_alternative<T>(message)) << "variant index " << message.index();
    static const T empty{};
    return std::holds_alternative<T>(message) ? std::get<T>(message) : empty;
}

bool IsChat(const lobby::ServerMessage& message) { return std::holds_alternative<m::ChatLine>(message); }
bool IsIgnored(const lobby::ServerMessage& message) { return std::holds_alternative<m::Ignored>(message); }

TEST(Tokens, RunsOfCaretsAreOneSeparator) {
    EXPECT_EQ(lobby::SplitTokens("^^a^^b^"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(lobby::SplitTokens("^^^").empty());
}

TEST(Memo, NeedsSenderAndText) {
    auto memo = As<m::Memo>(lobby::ParseServerMessage("SEND_MAIL^lee^안녕"));
    EXPECT_EQ(memo.sender, "lee");
    EXPECT_EQ(memo.text, "안녕");
    EXPECT_TRUE(IsIgnored(lobby::ParseServerMessage("SEND_MAIL^")));
    EXPECT_TRUE(IsIgnored(lobby::ParseServerMessage("SEND_MAIL^lee")));
}

TEST(Info, NeedsText) {
    EXPECT_EQ(As<m::Info>(lobby::ParseServerMessage("INFO^점검")).text, "점검");
    EXPECT_TRUE(IsIgnored(lobby::ParseServerMessage("INFO^")));
}

TEST(RoomTitle, AloneEmptiesWithRowsRebuilds) {
    EXPECT_TRUE(std::holds_alternative<m::RoomListCleared>(lobby::ParseServerMessage("ROOMTITLE^")));
    auto list = As<m::RoomList>(lobby::ParseServerMessage("ROOMTITLE^t^3^0^1^2^G^YES^[END]"));
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0].Text(), "3. [G] t (1/2) <대기중>");
}

TEST(PrefixOrder, RoomTitleAndRoomNumberAreNotRoomMembers) {
    EXPECT_TRUE(std::holds_alternative<m::RoomMembers>(lobby::ParseServerMessage("ROOM^a^b^c")));
    EXPECT_EQ(As<m::RoomMembers>(lobby::ParseServerMessage("ROOM^a^^b")).ids, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(std::holds_alternative<m::RoomNumber>(lobby::ParseServerMessage("ROOMNUMBER^12^pad")));
}

TEST(UserList, EveryFieldAfterTheKeyword) {
    EXPECT_EQ(As<m::UserList>(lobby::ParseServerMessage("ROOT^a^b")).ids, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(As<m::UserList>(lobby::ParseServerMessage("ROOT^")).ids.empty());
}

TEST(ClientAddress, NeedsThirtyCharactersAndIsHeldTo35) {
    std::string exact = "CLIENT_IP_ADDRESS^192.168.0.10";  // 30 characters
    ASSERT_EQ(exact.size(), 30u);
    EXPECT_EQ(As<m::ClientAddress>(lobby::ParseServerMessage(exact)).address, "192.168.0.10");
    EXPECT_TRUE(IsIgnored(lobby::ParseServerMessage("CLIENT_IP_ADDRESS^10.0.0.1")));
    std::string longAddress(50, '1');
    EXPECT_EQ(As<m::ClientAddress>(lobby::ParseServerMessage("CLIENT_IP_ADDRESS^" + longAddress)).address.size(),
              lobby::kClientAddressMaxBytes);
}

TEST(ExactKeywords, MatchOnlyTheWholeMessage) {
    EXPECT_TRUE(std::holds_alternative<m::YouAreHost>(lobby::ParseServerMessage("YOU_ARE_HOST")));
    EXPECT_TRUE(std::holds_alternative<m::HostGameStart>(lobby::ParseServerMessage("HOST_GAME_START")));
    EXPECT_TRUE(std::holds_alternative<m::RoomListCleared>(lobby::ParseServerMessage("INIT_TREE")));
    EXPECT_TRUE(IsChat(lobby::ParseServerMessage("YOU_ARE_HOST ")));
    EXPECT_TRUE(IsChat(lobby::ParseServerMessage("INIT_TRE")));  // a block without caret lost its last letter
}

TEST(RoomNumber, NeedsFourteenCharacters) {
    EXPECT_TRUE(IsIgnored(lobby::ParseServerMessage("ROOMNUMBER^5^")));  // 13 characters
    EXPECT_EQ(As<m::RoomNumber>(lobby::ParseServerMessage("ROOMNUMBER^15^")).number, 15);
}

TEST(LoginReply, OnlyFalseRefuses) {
    EXPECT_FALSE(As<m::LoginReply>(lobby::ParseServerMessage("IDORDER^FALSE")).accepted);
    EXPECT_TRUE(As<m::LoginReply>(lobby::ParseServerMessage("IDORDER^false")).accepted);
    EXPECT_TRUE(As<m::LoginReply>(lobby::ParseServerMessage("IDORDER^Y")).accepted);
    EXPECT_TRUE(IsIgnored(lobby::ParseServerMessage("IDORDER^")));
}

TEST(JoinReply, VerdictAndOptionalGameFields) {
    auto yes = As<m::JoinReply>(lobby::ParseServerMessage("JOINORDER^YES^StarCraft^1"));
    EXPECT_TRUE(yes.yes && yes.hasGame);
    EXPECT_EQ(yes.gameName, "StarCraft");
    EXPECT_EQ(yes.gameKind, 1);
    auto pending = As<m::JoinReply>(lobby::ParseServerMessage("JOINORDER^YES"));
    EXPECT_TRUE(pending.yes);
    EXPECT_FALSE(pending.hasGame);
    EXPECT_FALSE(As<m::JoinReply>(lobby::ParseServerMessage("JOINORDER^NO")).yes);
    EXPECT_TRUE(IsIgnored(lobby::ParseServerMessage("JOINORDER^")));
}

TEST(ChatLine, AnythingElseIsChat) {
    EXPECT_EQ(As<m::ChatLine>(lobby::ParseServerMessage("[kim] hi")).text, "[kim] hi");
    EXPECT_TRUE(IsChat(lobby::ParseServerMessage("info^x")));  // keywords are case-sensitive
}

} // namespace
