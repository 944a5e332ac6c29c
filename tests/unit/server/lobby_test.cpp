#include "client/protocol/outgoing_messages.h"
#include "client/protocol/server_message.h"
#include "client/protocol/wire_format.h"
#include "server/lobby.h"
#include "server/notices.h"
#include "tests/unit/server/recording_delivery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lobby_server {
namespace {

using Messages = std::vector<std::string>;

std::string Info(const char* text) { return std::string("INFO^") + text; }

class LobbyTest : public ::testing::Test {
protected:
    // A connection's message in the 512-byte block its client sends.
    void From(ConnectionId id, const std::string& text) {
        auto block = lobby::MakeSendBlock(text);
        lobby.Received(id, std::string_view(block.data(), block.size()), now);
    }

    ConnectionId LoggedIn(const std::string& userId) {
        ConnectionId id = next++;
        lobby.Connected(id, "10.0.0." + std::to_string(id), now);
        From(id, lobby::outgoing::Login(userId));
        return id;
    }

    void TakeAll() {
        for (auto& [id, messages] : delivery.sent) messages.clear();
    }

    // kim hosts room 0 for three, lee has joined it; park stays in the lobby.
    void KimHostsLeeJoined() {
        kim = LoggedIn("kim");
        lee = LoggedIn("lee");
        park = LoggedIn("park");
        From(kim, lobby::outgoing::NewRoom("초보만", 3, 1, "StarCraft"));
        From(lee, lobby::outgoing::Join(0));
        TakeAll();
    }

    RecordingDelivery delivery;
    Millis now = 0;
    Lobby lobby{delivery, LobbyLimits{5, 540'000}};
    ConnectionId next = 1;
    ConnectionId kim = 0, lee = 0, park = 0;
};

std::vector<lobby::RoomRow> RoomsIn(const std::string& message) {
    auto parsed = lobby::ParseServerMessage(message);
    if (std::holds_alternative<lobby::message::RoomListCleared>(parsed)) return {};
    return std::get<lobby::message::RoomList>(parsed).rows;
}

TEST_F(LobbyTest, LoginIsAnsweredWithAddressUsersAndRoomsAndTheIdIsThenTaken) {
    ConnectionId kimId = LoggedIn("kim");
    EXPECT_EQ(delivery.Take(kimId),
              (Messages{"IDORDER^OK", "CLIENT_IP_ADDRESS^10.0.0.1^000", "ROOT^kim", "INIT_TREE"}));
    ConnectionId leeId = LoggedIn("lee");
    EXPECT_EQ(delivery.Take(kimId), Messages{"ROOT^kim^lee"});
    EXPECT_EQ(delivery.Take(leeId).at(2), "ROOT^kim^lee");

    ConnectionId twin = LoggedIn("kim");
    EXPECT_EQ(delivery.Take(twin), Messages{"IDORDER^FALSE"});
    EXPECT_TRUE(delivery.Take(kimId).empty());
    lobby.Disconnected(kimId);
    EXPECT_EQ(delivery.Take(leeId), Messages{"ROOT^lee"});
    From(twin, lobby::outgoing::Login("kim"));  // the ID is free again
    EXPECT_EQ(delivery.Take(twin).at(0), "IDORDER^OK");
}

TEST_F(LobbyTest, IdsThatBreakTheClientsRulesAndMessagesBeforeTheLoginAreRefused) {
    ConnectionId id = next++;
    lobby.Connected(id, "10.0.0.9", now);
    From(id, "TOP");
    EXPECT_EQ(delivery.Take(id), Messages{Info(notice::kLogInFirst)});
    for (const std::string& bad : {std::string("k"), std::string(15, 'k'), std::string("ki\tm")}) {
        From(id, lobby::outgoing::Login(bad));
        EXPECT_EQ(delivery.Take(id), (Messages{Info(notice::kBadUserId), "IDORDER^FALSE"})) << bad;
    }
    From(id, "ID^ki^m");
    EXPECT_EQ(delivery.Take(id), Messages{Info(notice::kMalformed)});
    From(id, lobby::outgoing::Login("한글일곱글자다"));  // 14 bytes
    EXPECT_EQ(delivery.Take(id).at(0), "IDORDER^OK");
}

TEST_F(LobbyTest, CreatingAndJoiningARoomTellTheMembersAndEveryoneSeesTheRow) {
    kim = LoggedIn("kim");
    lee = LoggedIn("lee");
    TakeAll();
    From(kim, lobby::outgoing::NewRoom("초보만", 2, 1, "StarCraft"));
    Messages toKim = delivery.Take(kim);
    ASSERT_EQ(toKim.size(), 4u);
    EXPECT_EQ(std::get<lobby::message::RoomNumber>(lobby::ParseServerMessage(toKim[0])).number, 0);
    EXPECT_EQ(toKim[1], "YOU_ARE_HOST");
    EXPECT_EQ(toKim[2], "ROOM^kim");
    ASSERT_EQ(RoomsIn(toKim[3]).size(), 1u);
    EXPECT_EQ(RoomsIn(toKim[3])[0].Text(), "0. [StarCraft] 초보만 (1/2) <대기중>");
    EXPECT_EQ(delivery.Take(lee), Messages{toKim[3]});

    From(lee, lobby::outgoing::Join(0));
    Messages toLee = delivery.Take(lee);
    ASSERT_EQ(toLee.size(), 4u);
    EXPECT_EQ(toLee[0], "CLIENT_IP_ADDRESS^10.0.0.1^000");  // the host's, where the game meets
    EXPECT_EQ(toLee[1], "JOINORDER^YES^StarCraft^1");
    EXPECT_EQ(toLee[2], "ROOM^kim^lee");
    EXPECT_EQ(RoomsIn(toLee[3])[0].Text(), "0. [StarCraft] 초보만 (2/2) <대기중>");
    EXPECT_EQ(delivery.Take(kim), (Messages{"ROOM^kim^lee", toLee[3]}));

    // The next room takes the lowest free number.
    park = LoggedIn("park");
    From(park, lobby::outgoing::NewRoom("둘째방", 4, 3, "테트리스"));
    EXPECT_EQ(RoomsIn(delivery.Take(park).back())[1].number, 1);
}

TEST_F(LobbyTest, JoinsOfFullPlayingOrMissingRoomsAndSecondRoomsAreRefused) {
    KimHostsLeeJoined();
    ConnectionId choi = LoggedIn("choi");
    From(park, lobby::outgoing::Join(0));  // 2 of 3: park makes it full
    TakeAll();
    From(choi, lobby::outgoing::Join(0));
    EXPECT_EQ(delivery.Take(choi), (Messages{"JOINORDER^NO", Info(notice::kRoomFull)}));
    From(choi, lobby::outgoing::Join(1));
    EXPECT_EQ(delivery.Take(choi), (Messages{"JOINORDER^NO", Info(notice::kNoSuchRoom)}));
    From(choi, lobby::outgoing::Join(66));
    EXPECT_EQ(delivery.Take(choi), (Messages{"JOINORDER^NO", Info(notice::kNoSuchRoom)}));
    From(lee, lobby::outgoing::NewRoom("또하나", 4, 1, "StarCraft"));
    EXPECT_EQ(delivery.Take(lee), Messages{Info(notice::kAlreadyInRoom)});
    From(choi, lobby::outgoing::NewRoom("큰방", 13, 1, "StarCraft"));
    EXPECT_EQ(delivery.Take(choi), Messages{Info(notice::kBadRoom)});

    From(park, "TOP");
    From(kim, "HOST_GAME_START");
    TakeAll();
    From(choi, lobby::outgoing::Join(0));
    EXPECT_EQ(delivery.Take(choi), (Messages{"JOINORDER^NO", Info(notice::kRoomPlaying)}));
}

TEST_F(LobbyTest, TheHostsLeavingHandsTheRoomOnWithItsAddressAndTheLastOneClosesIt) {
    KimHostsLeeJoined();
    From(park, lobby::outgoing::Join(0));
    TakeAll();
    From(kim, "TOP");
    std::string rooms = delivery.sent[kim].at(0);
    EXPECT_EQ(RoomsIn(rooms)[0].firstCount, "2");
    EXPECT_EQ(delivery.Take(kim), (Messages{rooms, "CLIENT_IP_ADDRESS^10.0.0.1^000"}));  // its own again
    EXPECT_EQ(delivery.Take(lee), (Messages{"CLIENT_IP_ADDRESS^10.0.0.2^000", "YOU_ARE_HOST", "ROOM^lee^park", rooms}));
    EXPECT_EQ(delivery.Take(park), (Messages{"CLIENT_IP_ADDRESS^10.0.0.2^000", "ROOM^lee^park", rooms}));
    From(lee, "HOST_GAME_START");  // the new host may start
    EXPECT_EQ(delivery.Take(park).at(0), "HOST_GAME_START");
    lobby.Disconnected(lee);
    From(park, "TOP");
    EXPECT_EQ(delivery.Take(kim).back(), "INIT_TREE");
}

TEST_F(LobbyTest, ChatGoesToTheLobbyOrToTheSendersRoomAndOnlyInTheSendersName) {
    KimHostsLeeJoined();
    ConnectionId choi = LoggedIn("choi");
    TakeAll();
    From(park, "[park] 안녕");
    EXPECT_EQ(delivery.Take(park), Messages{"[park] 안녕"});
    EXPECT_EQ(delivery.Take(choi), Messages{"[park] 안녕"});
    EXPECT_TRUE(delivery.Take(kim).empty());
    From(lee, "[lee] ready?");
    EXPECT_EQ(delivery.Take(kim), Messages{"[lee] ready?"});
    EXPECT_EQ(delivery.Take(lee), Messages{"[lee] ready?"});
    EXPECT_TRUE(delivery.Take(park).empty());
    From(lee, "[kim] I am kim");
    EXPECT_EQ(delivery.Take(lee), Messages{Info(notice::kChatNotYours)});
    EXPECT_TRUE(delivery.Take(kim).empty());
}

TEST_F(LobbyTest, MemosReachTheRecipientOrTellTheSenderWhoIsNotHere) {
    KimHostsLeeJoined();
    From(park, lobby::outgoing::Memo("lee", "게임하자"));
    EXPECT_EQ(delivery.Take(lee), Messages{"SEND_MAIL^park^게임하자"});
    From(park, lobby::outgoing::Memo("nobody", "hi"));
    EXPECT_EQ(delivery.Take(park), Messages{Info((std::string("nobody") + notice::kNotHere).c_str())});
}

TEST_F(LobbyTest, OnlyTheHostStartsAndTheMembersAreTold) {
    KimHostsLeeJoined();
    From(lee, "HOST_GAME_START");
    EXPECT_EQ(delivery.Take(lee), Messages{Info(notice::kOnlyHostStarts)});
    From(kim, "HOST_GAME_START");
    EXPECT_EQ(delivery.Take(lee).at(0), "HOST_GAME_START");
    Messages toKim = delivery.Take(kim);
    ASSERT_EQ(toKim.size(), 1u);  // the host is not told its own start, only the list
    EXPECT_EQ(RoomsIn(toKim[0])[0].Text(), "0. [StarCraft] 초보만 (2/3) <게임중>");
}

TEST_F(LobbyTest, ASilentConnectionIsDroppedAndTheOthersListsFollow) {
    KimHostsLeeJoined();
    now += 300'000;
    From(kim, "I_AM_ALIVE");
    From(park, "I_AM_ALIVE");
    now += 300'000;  // lee last spoke 600 s ago
    lobby.DropSilent(now);
    EXPECT_EQ(delivery.hungUp, std::set<ConnectionId>{lee});
    EXPECT_EQ(delivery.Take(kim), (Messages{"ROOM^kim", delivery.sent[park][0], "ROOT^kim^park"}));
    EXPECT_EQ(RoomsIn(delivery.Take(park)[0])[0].firstCount, "1");
}

TEST_F(LobbyTest, BadBlocksUnknownKeywordsAndFloodsAreAnsweredAndTheOthersGoOn) {
    KimHostsLeeJoined();
    lobby.Received(kim, std::string(512, 'x'), now);
    EXPECT_EQ(delivery.Take(kim), Messages{Info(notice::kTooLong)});
    From(kim, "DELETE_ALL^");
    EXPECT_EQ(delivery.Take(kim), Messages{Info(notice::kUnknown)});
    From(kim, "NEW^a^b^");
    EXPECT_EQ(delivery.Take(kim), Messages{Info(notice::kMalformed)});

    for (int i = 0; i < 600; ++i, now += 200) From(kim, "[kim] five lines a second is ordinary chat");
    TakeAll();
    for (int i = 0; i < 100 && delivery.hungUp.empty(); ++i) From(park, "[park] spam");
    EXPECT_EQ(delivery.hungUp, std::set<ConnectionId>{park});
    EXPECT_EQ(delivery.Take(park).back(), Info(notice::kFlood));
    EXPECT_EQ(delivery.Take(kim).back(), "ROOT^kim^lee");
    From(lee, "[lee] still here");
    EXPECT_EQ(delivery.Take(kim), Messages{"[lee] still here"});
}

TEST_F(LobbyTest, ConnectionsBeyondTheLimitAreToldAndHungUp) {
    for (int i = 0; i < 5; ++i) LoggedIn("user" + std::to_string(i));
    ConnectionId extra = next++;
    lobby.Connected(extra, "10.0.0.99", now);
    EXPECT_EQ(delivery.Take(extra), Messages{Info(notice::kServerFull)});
    EXPECT_EQ(delivery.hungUp, std::set<ConnectionId>{extra});
    EXPECT_EQ(lobby.ConnectionCount(), 5u);
}

} // namespace
} // namespace lobby_server
