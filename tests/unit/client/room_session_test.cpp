#include "tests/unit/client/recording_lobby.h"

#include <gtest/gtest.h>

namespace {

using namespace lobby_test;
using lobby::Delivery;

constexpr const char* kTwoRooms = "ROOMTITLE^two^2^0^1^4^Game^YES^x^ten^10^0^2^8^StarCraft^NO^[END]";

// Rows sort as text: row 0 is room 10, row 1 room 2.
struct LobbyWithRooms : LoggedInLobby {
    RecordingLauncher launcher;
    LobbyWithRooms() {
        session.SetGameLauncher(&launcher);
        session.HandleServerMessage(kTwoRooms);
    }
    void Join(int row, const std::string& reply) {
        session.OnRoomRowChanged(row);
        session.OnJoinButton();
        session.HandleServerMessage(reply);
    }
};

TEST(Join, ChosenRowSendsItsNumberAndWaitsWithButtonsInactive) {
    LobbyWithRooms lobby;
    lobby.session.OnRoomRowChanged(0);
    EXPECT_TRUE(lobby.view.IsActive(LobbyButton::kJoinRoom));
    lobby.session.OnJoinButton();
    EXPECT_EQ(lobby.transport.sent, (std::vector<std::string>{"JOIN^10"}));
    EXPECT_EQ(lobby.transport.deliveries[0], Delivery::kPosted);
    EXPECT_TRUE(lobby.session.InRoom());
    EXPECT_FALSE(lobby.session.MayExit());
    EXPECT_FALSE(lobby.view.chatEnabled);
    for (auto button : {LobbyButton::kExit, LobbyButton::kCreateRoom, LobbyButton::kJoinRoom, LobbyButton::kDisconnect}) {
        EXPECT_FALSE(lobby.view.IsActive(button));
    }
}

TEST(Join, YesOpensTheRoomAsGuestWithTheRoomsTitle) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    ASSERT_TRUE(lobby.view.roomWindow);
    EXPECT_EQ(lobby.view.roomWindow->title, "two");
    EXPECT_FALSE(lobby.view.roomWindow->startEnabled);
    EXPECT_EQ(lobby.view.roomTitleField, "two");
    lobby.session.HandleServerMessage("HOST_GAME_START");
    EXPECT_EQ(lobby.launcher.launches, (std::vector<std::string>{"1 Game  guest"}));
}

TEST(Join, OtherVerdictReturnsToTheLobby) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^NO");
    EXPECT_FALSE(lobby.view.roomWindow);
    EXPECT_FALSE(lobby.session.InRoom());
    EXPECT_TRUE(lobby.view.chatEnabled);
    for (auto button : {LobbyButton::kExit, LobbyButton::kCreateRoom, LobbyButton::kJoinRoom, LobbyButton::kDisconnect}) {
        EXPECT_TRUE(lobby.view.IsActive(button));
    }
    lobby.Join(0, "JOINORDER^YES^Game^1");
    EXPECT_EQ(lobby.transport.sent.back(), "JOIN^10");
    EXPECT_EQ(lobby.view.roomWindow->title, "ten");
}

TEST(Join, YesWithoutGameFieldsLeavesTheJoinPending) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES");
    EXPECT_FALSE(lobby.view.roomWindow);
    EXPECT_TRUE(lobby.session.InRoom());
    EXPECT_FALSE(lobby.view.IsActive(LobbyButton::kJoinRoom));
    lobby.session.HandleServerMessage("[lee] hi");  // no room window yet: dropped
    EXPECT_NE(lobby.view.chat.back(), "[lee] hi");
}

TEST(Join, JoinWaitEndsWithAnAnswerOrGivesAnUnansweredJoinUp) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES");  // no game fields: no answer
    EXPECT_TRUE(lobby.view.timers.count(lobby::LobbyTimer::kJoinWait));
    lobby.session.OnJoinWaitOver();
    EXPECT_FALSE(lobby.view.timers.count(lobby::LobbyTimer::kJoinWait));
    EXPECT_TRUE(lobby.session.MayExit());
    EXPECT_TRUE(lobby.view.IsActive(LobbyButton::kExit));
    lobby.session.HandleServerMessage("JOINORDER^YES^Game^1");  // too late
    EXPECT_FALSE(lobby.view.roomWindow);

    for (const char* reply : {"JOINORDER^YES^Game^1", "JOINORDER^NO"}) {
        LobbyWithRooms answered;
        answered.Join(1, reply);
        EXPECT_FALSE(answered.view.timers.count(lobby::LobbyTimer::kJoinWait)) << reply;
    }
    LobbyWithRooms joined;
    joined.Join(1, "JOINORDER^YES^Game^1");
    joined.session.OnJoinWaitOver();  // a stray tick leaves the room alone
    joined.session.HandleServerMessage("JOINORDER^YES^Other^2");  // so does a second answer
    EXPECT_EQ(joined.view.roomWindow->title, "two");
    EXPECT_TRUE(joined.session.InRoom());
    joined.session.HandleServerMessage("HOST_GAME_START");
    EXPECT_EQ(joined.launcher.launches, (std::vector<std::string>{"1 Game  guest"}));
}

TEST(Join, NothingIsJoinedWithoutAConnection) {
    LobbyWithRooms lobby;
    lobby.transport.open = false;
    lobby.session.OnRoomRowChanged(0);
    lobby.session.OnJoinButton();
    EXPECT_TRUE(lobby.transport.sent.empty());
    EXPECT_TRUE(lobby.session.MayExit());
}

TEST(Join, ReplyWithoutAJoinIsIgnored) {
    LobbyWithRooms lobby;
    lobby.session.HandleServerMessage("JOINORDER^YES^Game^1");
    EXPECT_FALSE(lobby.view.roomWindow);
    EXPECT_FALSE(lobby.session.InRoom());
}

TEST(Join, DirectPlayGameIsSelectedOrMissingIsWarnedAbout) {
    LobbyWithRooms found;
    found.view.applications = {"Other", "Game"};
    found.Join(1, "JOINORDER^YES^Game^2");
    EXPECT_EQ(found.view.selectedApplication, 1);
    EXPECT_TRUE(found.view.messages.empty());

    LobbyWithRooms missing;
    missing.Join(1, "JOINORDER^YES^Game^2");
    ASSERT_EQ(missing.view.messages.size(), 1u);
    EXPECT_EQ(missing.view.messages[0],
              "알림: Game가(이) 설치되어있지 않습니다\n만일 설치를 하지 않으신다면 게임을 하실수 없습니다");
    EXPECT_TRUE(missing.view.roomWindow);  // the user stays in the room
}

TEST(Join, VanishedRowOrOddTextSendsNothing) {
    LobbyWithRooms lobby;
    lobby.session.OnRoomRowChanged(1);
    lobby.session.HandleServerMessage("INIT_TREE");
    lobby.session.OnJoinButton();
    EXPECT_TRUE(lobby.transport.sent.empty());
    EXPECT_FALSE(lobby.session.InRoom());
    EXPECT_TRUE(lobby.view.IsActive(LobbyButton::kJoinRoom));
}

TEST(Join, RoomNumbersOutsideTheTitleTableJoinWithAnEmptyTitle) {
    LobbyWithRooms lobby;
    lobby.session.HandleServerMessage("ROOMTITLE^far^70^0^1^4^Game^YES^[END]");
    lobby.Join(0, "JOINORDER^YES^Game^1");
    EXPECT_EQ(lobby.transport.sent.back(), "JOIN^70");
    ASSERT_TRUE(lobby.view.roomWindow);
    EXPECT_EQ(lobby.view.roomWindow->title, "");
}

TEST(RowChoice, IgnoredWhileInARoom) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    lobby.session.OnRoomRowChanged(0);
    lobby.session.LeaveRoom();
    lobby.session.OnJoinButton();
    EXPECT_EQ(lobby.transport.sent.back(), "JOIN^2");
}

TEST(RowChoice, JoinAndCreateAreRefusedWhileInARoom) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    lobby.transport.sent.clear();
    lobby.view.roomRequest = lobby::RoomRequest{"second", 2, 0, "스타 크래프트"};
    lobby.session.OnJoinButton();
    lobby.session.OnCreateButton();
    EXPECT_TRUE(lobby.transport.sent.empty());
    EXPECT_EQ(lobby.view.roomWindow->title, "two");
    EXPECT_FALSE(lobby.view.IsActive(LobbyButton::kJoinRoom));
    EXPECT_FALSE(lobby.view.IsActive(LobbyButton::kCreateRoom));
}

TEST(Create, StarCraftRoomIsSentSynchronouslyAndOpensAsHost) {
    LobbyWithRooms lobby;
    lobby.view.roomRequest = lobby::RoomRequest{"우리방", 4, 0, "스타 크래프트"};
    lobby.session.OnCreateButton();
    EXPECT_EQ(lobby.transport.sent, (std::vector<std::string>{"NEW^우리방^4^1^스타 크래프트^"}));
    EXPECT_EQ(lobby.transport.deliveries[0], Delivery::kSync);
    ASSERT_TRUE(lobby.view.roomWindow);
    EXPECT_TRUE(lobby.view.roomWindow->startEnabled);
    EXPECT_EQ(lobby.view.roomTitleField, "우리방");
    EXPECT_FALSE(lobby.view.IsActive(LobbyButton::kExit));
}

TEST(Create, KindFollowsTheChosenEntry) {
    LobbyWithRooms directPlay;
    directPlay.view.applications = {"A", "B", "C"};
    directPlay.view.roomRequest = lobby::RoomRequest{"abc", 2, 3, "C"};
    directPlay.session.OnCreateButton();
    EXPECT_EQ(directPlay.transport.sent.back(), "NEW^abc^2^2^C^");
    EXPECT_EQ(directPlay.view.selectedApplication, 2);

    LobbyWithRooms registered;
    registered.view.applications = {"A"};
    registered.view.roomRequest = lobby::RoomRequest{"abc", 2, 2, "Mine"};
    registered.session.OnCreateButton();
    EXPECT_EQ(registered.transport.sent.back(), "NEW^abc^2^3^Mine^");
}

TEST(Create, CancelMakesTheButtonActiveAgain) {
    LobbyWithRooms lobby;
    lobby.session.OnCreateButton();
    EXPECT_TRUE(lobby.transport.sent.empty());
    EXPECT_TRUE(lobby.view.IsActive(LobbyButton::kCreateRoom));
    EXPECT_FALSE(lobby.session.InRoom());
}

TEST(Room, MembersAreSortedAndReplacedAndChatGoesToTheRoom) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    lobby.session.HandleServerMessage("ROOM^park^kim^^Lee");
    EXPECT_EQ(lobby.view.roomWindow->members, (std::vector<std::string>{"Lee", "kim", "park"}));
    lobby.session.HandleServerMessage("ROOM^solo");
    EXPECT_EQ(lobby.view.roomWindow->members, (std::vector<std::string>{"solo"}));
    lobby.session.HandleServerMessage("[lee] 안녕");
    EXPECT_EQ(lobby.view.roomWindow->chat, (std::vector<std::string>{"[lee] 안녕"}));
}

TEST(Room, LongMemberLinesLoseNoId) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    std::string line = "ROOM";
    std::vector<std::string> ids;
    for (int i = 0; i < 12; ++i) {
        ids.push_back("member_name_" + std::to_string(i + 10));
        line += "^" + ids.back();
    }
    ASSERT_GT(line.size(), 128u);
    lobby.session.HandleServerMessage(line);
    EXPECT_EQ(lobby.view.roomWindow->members, ids);
}

TEST(Room, ChatFromTheRoomIsSentSynchronously) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    lobby.transport.sent.clear();
    lobby.transport.deliveries.clear();
    EXPECT_TRUE(lobby.session.OnRoomChat("gg"));
    EXPECT_TRUE(lobby.session.OnRoomChat(""));
    EXPECT_EQ(lobby.transport.sent, (std::vector<std::string>{"[kim] gg", "[kim] "}));
    EXPECT_EQ(lobby.transport.deliveries[0], Delivery::kSync);
}

TEST(Room, CaretInTheChatIsRefusedOverTheRoomWindowAndKeepsTheInput) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    lobby.transport.sent.clear();
    EXPECT_FALSE(lobby.session.OnRoomChat("a^b"));
    EXPECT_TRUE(lobby.transport.sent.empty());
    EXPECT_EQ(lobby.view.roomMessages, (std::vector<std::string>{"알림: '^'문자는 입력할수 없습니다"}));
    EXPECT_TRUE(lobby.view.messages.empty());
}

TEST(Room, MemoGoesToTheChosenMemberNeverToOneselfOrNobody) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    lobby.transport.sent.clear();
    lobby.view.memoText = "hi";
    lobby.session.OnRoomMemo("");
    lobby.session.OnRoomMemo("kim");
    EXPECT_EQ(lobby.view.roomMessages,
              (std::vector<std::string>{"뭐하는 겁니까...: 자신에게 쪽지를 보내면\n어떻게 하겠다는겁니까?..\n다시 보내세요!! 빨리..."}));
    EXPECT_TRUE(lobby.view.memoRecipients.empty());
    lobby.session.OnRoomMemo("lee");
    EXPECT_EQ(lobby.transport.sent, (std::vector<std::string>{"FIND_USER^lee^hi"}));
}

TEST(Room, GuestBecomesHostOnlyByTheServer) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    EXPECT_FALSE(lobby.view.roomWindow->startEnabled);
    lobby.session.HandleServerMessage("YOU_ARE_HOST");
    EXPECT_TRUE(lobby.view.roomWindow->startEnabled);
    lobby.session.OnHostStart();
    EXPECT_EQ(lobby.launcher.launches, (std::vector<std::string>{"1 Game  host"}));
}

TEST(Leave, SendsTopAfterTheWindowAndRestoresTheLobby) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    lobby.session.HandleServerMessage("YOU_ARE_HOST");
    lobby.transport.sent.clear();
    lobby.session.LeaveRoom();
    EXPECT_FALSE(lobby.view.roomWindow);
    EXPECT_EQ(lobby.transport.sent, (std::vector<std::string>{"TOP"}));
    EXPECT_EQ(lobby.transport.deliveries.back(), Delivery::kSync);
    EXPECT_EQ(lobby.view.renewedLists, 1);
    EXPECT_FALSE(lobby.session.InRoom());
    EXPECT_TRUE(lobby.view.chatEnabled);
    for (auto button : {LobbyButton::kExit, LobbyButton::kCreateRoom, LobbyButton::kDisconnect}) {
        EXPECT_TRUE(lobby.view.IsActive(button));
    }
    lobby.session.HandleServerMessage("[lee] back");
    EXPECT_EQ(lobby.view.currentLine, "[lee] back");
    lobby.Join(0, "JOINORDER^YES^Game^1");  // the next room starts as guest
    lobby.session.HandleServerMessage("HOST_GAME_START");
    EXPECT_EQ(lobby.launcher.launches, (std::vector<std::string>{"1 Game  guest"}));
}

TEST(Start, HostSendsTheStartAndLaunchesByKind) {
    LobbyWithRooms lobby;
    lobby.session.HandleServerMessage("CLIENT_IP_ADDRESS^10.0.0.7^padding^padding");
    lobby.view.roomRequest = lobby::RoomRequest{"abc", 2, 0, "스타 크래프트"};
    lobby.session.OnCreateButton();
    lobby.session.OnHostStart();
    EXPECT_EQ(lobby.transport.sent.back(), "HOST_GAME_START");
    EXPECT_EQ(lobby.transport.deliveries.back(), Delivery::kPosted);
    EXPECT_EQ(lobby.launcher.launches, (std::vector<std::string>{"1 스타 크래프트 10.0.0.7 host"}));
}

TEST(Start, GuestStartsOnlyWithARoomWindow) {
    LobbyWithRooms lobby;
    lobby.session.HandleServerMessage("HOST_GAME_START");
    EXPECT_TRUE(lobby.launcher.launches.empty());
    lobby.Join(1, "JOINORDER^YES^Game^3");
    lobby.session.HandleServerMessage("HOST_GAME_START");
    EXPECT_EQ(lobby.launcher.launches, (std::vector<std::string>{"3 Game  guest"}));
}

TEST(Start, GuestWithoutTheDirectPlayGameIsWarnedAndLeaves) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^2");
    lobby.view.messages.clear();
    lobby.transport.sent.clear();
    lobby.session.HandleServerMessage("HOST_GAME_START");
    EXPECT_EQ(lobby.view.messages, (std::vector<std::string>{"알림: Game를 아직도 설치하지 않았습니다\n방 밖으로 나갑니다"}));
    EXPECT_EQ(lobby.transport.sent, (std::vector<std::string>{"TOP"}));
    EXPECT_FALSE(lobby.view.roomWindow);
    EXPECT_TRUE(lobby.launcher.launches.empty());
}

TEST(Start, HostMadeByTheServerStartsWithoutTheGuestsInstallCheck) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^2");
    lobby.session.HandleServerMessage("YOU_ARE_HOST");
    lobby.view.messages.clear();
    lobby.transport.sent.clear();
    lobby.session.OnHostStart();
    EXPECT_TRUE(lobby.view.messages.empty());
    EXPECT_EQ(lobby.transport.sent, (std::vector<std::string>{"HOST_GAME_START"}));
    EXPECT_TRUE(lobby.view.roomWindow);
    EXPECT_EQ(lobby.launcher.launches, (std::vector<std::string>{"2 Game  host"}));
}

TEST(Start, FailedLaunchTakesHostAndGuestOutOfTheRoom) {
    for (bool host : {true, false}) {
        LobbyWithRooms lobby;
        lobby.launcher.result = lobby::LaunchResult::kLeaveRoom;
        lobby.Join(1, "JOINORDER^YES^StarCraft^1");
        lobby.transport.sent.clear();
        if (host) {
            lobby.session.HandleServerMessage("YOU_ARE_HOST");
            lobby.session.OnHostStart();
        } else {
            lobby.session.HandleServerMessage("HOST_GAME_START");
        }
        EXPECT_EQ(lobby.transport.sent.back(), "TOP") << host;
        EXPECT_FALSE(lobby.view.roomWindow) << host;
        EXPECT_FALSE(lobby.session.InRoom()) << host;
    }
}

TEST(ConnectionClosed, EmptiesTheListsAndEndsAJoinUnderWay) {
    LobbyWithRooms lobby;
    lobby.session.HandleServerMessage("ROOT^kim^lee");
    lobby.session.OnRoomRowChanged(1);
    lobby.session.OnJoinButton();
    lobby.transport.open = false;
    lobby.session.OnConnectionClosed();
    EXPECT_TRUE(lobby.view.rooms.empty());
    EXPECT_TRUE(lobby.view.users.empty());
    EXPECT_FALSE(lobby.view.IsActive(LobbyButton::kJoinRoom));
    EXPECT_FALSE(lobby.view.timers.count(lobby::LobbyTimer::kJoinWait));
    EXPECT_TRUE(lobby.session.MayExit());

    // Nor is a room created that nobody could join.
    lobby.view.roomRequest = lobby::RoomRequest{"alone", 2, 0, "스타 크래프트"};
    lobby.transport.sent.clear();
    lobby.session.OnCreateButton();
    EXPECT_TRUE(lobby.transport.sent.empty());
    EXPECT_FALSE(lobby.view.roomWindow);
    EXPECT_EQ(lobby.view.currentLine, lobby::kNotConnected);
    EXPECT_TRUE(lobby.view.IsActive(LobbyButton::kCreateRoom));
}

TEST(ConnectionClosed, InARoomLeavesItHereAndTheNextLoginStartsInTheLobby) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    lobby.session.HandleServerMessage("YOU_ARE_HOST");
    lobby.transport.sent.clear();
    lobby.transport.open = false;
    lobby.session.OnConnectionClosed();
    EXPECT_FALSE(lobby.view.roomWindow);
    EXPECT_TRUE(lobby.transport.sent.empty());  // no "TOP" for a server that is gone
    EXPECT_TRUE(lobby.session.MayExit());

    lobby.session.OnIdPromptClosed(std::string("kim"));
    lobby.session.OnConnected();
    lobby.session.OnLoginDue();
    lobby.session.HandleServerMessage("IDORDER^OK");
    lobby.session.HandleServerMessage("HOST_GAME_START");
    lobby.session.HandleServerMessage("[lee] hi");
    EXPECT_EQ(lobby.transport.sent, (std::vector<std::string>{"ID^kim", "I_AM_ALIVE"}));
    EXPECT_TRUE(lobby.launcher.launches.empty());
    EXPECT_EQ(lobby.view.currentLine, "[lee] hi");
}

TEST(Disconnect, InARoomOnlyMakesTheButtonInactive) {
    LobbyWithRooms lobby;
    lobby.Join(1, "JOINORDER^YES^Game^1");
    lobby.session.OnDisconnectButton();
    EXPECT_EQ(lobby.transport.disconnects, 0);
    EXPECT_FALSE(lobby.view.IsActive(LobbyButton::kDisconnect));
}

} // namespace

namespace attention_calls {

struct BackgroundLobby : lobby::AttentionOutput {
    bool LobbyInForeground() const override { return false; }
    void Flash() override { ++flashes; }
    void Play(lobby::Sound sound) override { sounds.push_back(sound); }
    int flashes = 0;
    std::vector<lobby::Sound> sounds;
};

TEST(AttentionCalls, RoomEventsAndMemosCallTheUserBackButNotTheirOwnDoings) {
    LobbyWithRooms lobby;
    BackgroundLobby output;
    lobby::Attention attention({true, true}, output);
    lobby.session.SetAttention(&attention);
    lobby.session.HandleServerMessage("[lee] busy lobby");
    lobby.Join(1, "JOINORDER^YES^Game^1");
    lobby.session.HandleServerMessage("ROOM^lee^kim");  // the room as found
    EXPECT_TRUE(output.sounds.empty());

    using lobby::Sound;
    lobby.session.HandleServerMessage("[lee] 안녕");
    lobby.session.HandleServerMessage("ROOM^lee^kim^park");
    lobby.session.HandleServerMessage("ROOM^kim^park");  // someone left
    lobby.session.HandleServerMessage("YOU_ARE_HOST");
    lobby.session.HandleServerMessage("YOU_ARE_HOST");
    lobby.session.HandleServerMessage("SEND_MAIL^lee^hi");
    lobby.session.HandleServerMessage("HOST_GAME_START");  // the host started it
    EXPECT_EQ(output.sounds, (std::vector<Sound>{Sound::kMessage, Sound::kMessage, Sound::kGame, Sound::kMessage}));
    EXPECT_EQ(output.flashes, 4);
}

} // namespace attention_calls
