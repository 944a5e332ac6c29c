#include "tests/unit/client/recording_lobby.h"

#include <gtest/gtest.h>

namespace {

using namespace lobby_test;
using lobby::Delivery;
using lobby::LobbyTimer;

TEST(IdPrompt, CancelLeavesOnlyConnectActiveAndDoesNotConnect) {
    RecordedLobby lobby;
    auto& [view, transport, session] = lobby;
    session.OnIdPromptClosed(std::nullopt);
    EXPECT_TRUE(view.IsActive(LobbyButton::kConnect));
    for (auto button : {LobbyButton::kCreateRoom, LobbyButton::kOtherGames, LobbyButton::kDisconnect,
                        LobbyButton::kNotebook, LobbyButton::kMemo, LobbyButton::kJoinRoom}) {
        EXPECT_FALSE(view.IsActive(button));
    }
    EXPECT_FALSE(view.chatEnabled);
    EXPECT_EQ(transport.connects, 0);
}

TEST(IdPrompt, AcceptEnablesChatButtonsAndConnects) {
    RecordedLobby lobby;
    auto& [view, transport, session] = lobby;
    session.OnIdPromptClosed(std::string("kim"));
    EXPECT_TRUE(view.chatEnabled);
    for (auto button : {LobbyButton::kCreateRoom, LobbyButton::kOtherGames, LobbyButton::kDisconnect,
                        LobbyButton::kNotebook, LobbyButton::kMemo}) {
        EXPECT_TRUE(view.IsActive(button));
    }
    EXPECT_EQ(view.buttons.count(LobbyButton::kJoinRoom), 0u);  // join waits for a chosen room
    EXPECT_EQ(transport.connects, 1);
    EXPECT_EQ(view.chat, (std::vector<std::string>{"가장빠른 서버를 찾고 있습니다", "잠시만 기다려 주십시요."}));
    EXPECT_TRUE(view.messages.empty());
}

TEST(IdPrompt, FailedConnectionStartTellsTheUserAndStillShowsTheStatusLines) {
    RecordedLobby lobby;
    auto& [view, transport, session] = lobby;
    transport.connectSucceeds = false;
    session.OnIdPromptClosed(std::string("kim"));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], "Client: 현재 사용자가 너무 많습니다.\n잠시후 다시 이용해 주십시요");
    EXPECT_EQ(view.chat.size(), 2u);
}

TEST(Login, IdIsSentSynchronouslyAfterTheConnectionAndAwaited) {
    RecordedLobby lobby;
    auto& [view, transport, session] = lobby;
    session.OnIdPromptClosed(std::string("홍길동"));
    session.OnConnected();
    EXPECT_TRUE(view.timers.count(LobbyTimer::kLogin));
    session.OnLoginDue();
    EXPECT_FALSE(view.timers.count(LobbyTimer::kLogin));
    EXPECT_TRUE(view.timers.count(LobbyTimer::kLoginWait));
    ASSERT_EQ(transport.sent, (std::vector<std::string>{"ID^홍길동"}));
    EXPECT_EQ(transport.deliveries[0], Delivery::kSync);
}

TEST(Login, AnyVerdictButFalseLogsIn) {
    LoggedInLobby lobby;  // "IDORDER^OK"
    EXPECT_EQ(lobby.view.caption, "kim님! 나래온 게임방에 오신걸 환영합니다");
    EXPECT_EQ(lobby.view.hiddenUserId, "kim");
    EXPECT_TRUE(lobby.view.timers.count(LobbyTimer::kKeepAlive));
    EXPECT_FALSE(lobby.view.timers.count(LobbyTimer::kLoginWait));
    EXPECT_TRUE(lobby.view.chatEnabled);
    EXPECT_TRUE(lobby.view.chatFocused);
    EXPECT_FALSE(lobby.view.IsActive(LobbyButton::kConnect));
    EXPECT_TRUE(lobby.view.IsActive(LobbyButton::kDisconnect));
    EXPECT_EQ(lobby.view.chat.back(), "나래온 채팅방에 연결되었습니다... ");
}

TEST(Login, AcceptanceSendsAliveAtOnceAndOnEveryKeepAlive) {
    RecordedLobby lobby;
    auto& [view, transport, session] = lobby;
    session.OnIdPromptClosed(std::string("kim"));
    session.HandleServerMessage("IDORDER^TRUE");
    session.OnKeepAliveDue();
    EXPECT_EQ(transport.sent, (std::vector<std::string>{"I_AM_ALIVE", "I_AM_ALIVE"}));
    EXPECT_EQ(transport.deliveries, (std::vector<Delivery>{Delivery::kPosted, Delivery::kPosted}));
}

TEST(Login, TakenIdDisconnectsAndLeavesOnlyConnectActive) {
    RecordedLobby lobby;
    auto& [view, transport, session] = lobby;
    session.OnIdPromptClosed(std::string("kim"));
    session.HandleServerMessage("IDORDER^FALSE");
    EXPECT_EQ(transport.disconnects, 1);
    EXPECT_EQ(view.chat[2], "아이디가 중복되는 경우입니다.");
    EXPECT_EQ(view.chat[3], "연결을 끊겠습니다.");
    EXPECT_FALSE(view.chatEnabled);
    EXPECT_TRUE(view.IsActive(LobbyButton::kConnect));
    for (auto button : {LobbyButton::kMemo, LobbyButton::kNotebook, LobbyButton::kOtherGames,
                        LobbyButton::kDisconnect, LobbyButton::kCreateRoom, LobbyButton::kJoinRoom}) {
        EXPECT_FALSE(view.IsActive(button));
    }
}

TEST(Login, RefusedIdClosesBeforeItsReplyIsHandledAndALaterLoginStartsClean) {
    RecordedLobby lobby;
    auto& [view, transport, session] = lobby;
    session.OnIdPromptClosed(std::string("kim"));
    session.OnConnected();
    session.OnLoginDue();
    session.HandleServerMessage("IDORDER^FALSE");  // the close re-enters the session from inside
    EXPECT_EQ(std::vector<std::string>(view.chat.begin() + 2, view.chat.end()),
              (std::vector<std::string>{"아이디가 중복되는 경우입니다.", "연결을 끊겠습니다.", "서버와 연결이 끊어졌습니다."}));
    EXPECT_FALSE(transport.open);
    EXPECT_FALSE(view.chatEnabled);
    EXPECT_TRUE(view.IsActive(LobbyButton::kConnect));
    EXPECT_FALSE(view.IsActive(LobbyButton::kDisconnect));

    transport.sent.clear();
    session.OnIdPromptClosed(std::string("lee"));
    session.OnConnected();
    session.OnLoginDue();
    session.HandleServerMessage("IDORDER^OK");
    EXPECT_EQ(transport.sent, (std::vector<std::string>{"ID^lee", "I_AM_ALIVE"}));
    EXPECT_EQ(view.caption, "lee님! 나래온 게임방에 오신걸 환영합니다");
    EXPECT_TRUE(view.IsActive(LobbyButton::kDisconnect));
}

TEST(Login, ReplyWithoutVerdictIsIgnored) {
    RecordedLobby lobby;
    auto& [view, transport, session] = lobby;
    session.HandleServerMessage("IDORDER^");
    EXPECT_TRUE(view.caption.empty());
    EXPECT_EQ(transport.disconnects, 0);
    EXPECT_TRUE(view.chat.empty());  // not a chat line either
}

TEST(Chat, EnterSendsThePrefixedLinePostedOrRefusesCaret) {
    LoggedInLobby lobby;
    EXPECT_TRUE(lobby.session.OnChatEnter("안녕"));
    EXPECT_TRUE(lobby.session.OnChatEnter(""));
    EXPECT_EQ(lobby.transport.sent, (std::vector<std::string>{"[kim] 안녕", "[kim] "}));
    EXPECT_EQ(lobby.transport.deliveries[0], Delivery::kPosted);
    EXPECT_FALSE(lobby.session.OnChatEnter("x^y"));
    EXPECT_EQ(lobby.transport.sent.size(), 2u);
    EXPECT_EQ(lobby.view.messages.back(), "알림: '^'문자는 입력할수 없습니다");
}

TEST(Chat, ServerLinesAndUnknownKeywordsBecomeCurrentChatLines) {
    LoggedInLobby lobby;
    lobby.session.HandleServerMessage("[lee] hello");
    EXPECT_EQ(lobby.view.currentLine, "[lee] hello");
    lobby.session.HandleServerMessage("NOT_A_KEYWORD^x");
    EXPECT_EQ(lobby.view.currentLine, "NOT_A_KEYWORD^x");
}

TEST(Disconnect, ClosesAndLeavesOnlyConnectActive) {
    LoggedInLobby lobby;
    lobby.session.OnDisconnectButton();
    EXPECT_EQ(lobby.transport.disconnects, 1);
    EXPECT_FALSE(lobby.view.chatEnabled);
    EXPECT_TRUE(lobby.view.IsActive(LobbyButton::kConnect));
    EXPECT_FALSE(lobby.view.IsActive(LobbyButton::kDisconnect));
    EXPECT_FALSE(lobby.view.IsActive(LobbyButton::kCreateRoom));
    lobby.transport.DeliverPosted();
    EXPECT_EQ(lobby.view.chat.back(), "서버와 연결이 끊어졌습니다.");
    lobby.session.OnDisconnectButton();  // nothing left to close
    EXPECT_EQ(lobby.transport.disconnects, 1);
}

TEST(Disconnect, ServerCloseIsReportedAndLeavesConnectUsable) {
    LoggedInLobby lobby;
    EXPECT_FALSE(lobby.view.IsActive(LobbyButton::kConnect));
    lobby.session.OnConnectionClosed();
    EXPECT_EQ(lobby.view.chat.back(), "서버와 연결이 끊어졌습니다.");
    EXPECT_TRUE(lobby.view.IsActive(LobbyButton::kConnect));
    EXPECT_TRUE(lobby.view.IsActive(LobbyButton::kCreateRoom));  // the other buttons stay as they were
}

TEST(Notices, InfoShowsABoxAndIsIgnoredAlone) {
    LoggedInLobby lobby;
    lobby.session.HandleServerMessage("INFO^");
    EXPECT_TRUE(lobby.view.messages.empty());
    lobby.session.HandleServerMessage("INFO^점검 예정");
    EXPECT_EQ(lobby.view.messages, (std::vector<std::string>{"알림: 점검 예정"}));
}

TEST(Lists, UsersAndAddressGoToTheirControls) {
    LoggedInLobby lobby;
    lobby.session.HandleServerMessage("ROOT^kim^lee^^park");
    EXPECT_EQ(lobby.view.users, (std::vector<std::string>{"kim", "lee", "park"}));
    lobby.session.HandleServerMessage("ROOT^");
    EXPECT_TRUE(lobby.view.users.empty());
    lobby.session.HandleServerMessage("CLIENT_IP_ADDRESS^192.168.10.200^pad");
    EXPECT_EQ(lobby.view.gameAddress, "192.168.10.200");
}

TEST(Lists, RoomRowsReplaceTheListAndClearingEmptiesIt) {
    LoggedInLobby lobby;
    lobby.session.HandleServerMessage("ROOMTITLE^two^2^0^1^4^Game^YES^x^ten^10^0^2^8^Game^NO^[END]");
    EXPECT_EQ(lobby.view.rooms, (std::set<std::string>{"10. [Game] ten (2/8) <게임중>", "2. [Game] two (1/4) <대기중>"}));
    EXPECT_EQ(*lobby.view.rooms.begin(), "10. [Game] ten (2/8) <게임중>");  // text order
    lobby.session.HandleServerMessage("INIT_TREE");
    EXPECT_TRUE(lobby.view.rooms.empty());
}

TEST(Memos, ReceivedMemoAnsweredGoesBackToTheSender) {
    LoggedInLobby lobby;
    lobby.view.answerMemo = true;
    lobby.view.memoText = "나도 반가워";
    lobby.session.HandleServerMessage("SEND_MAIL^lee^반가워");
    EXPECT_EQ(lobby.view.receivedMemos, (std::vector<std::string>{"lee: 반가워"}));
    EXPECT_EQ(lobby.view.memoRecipients, (std::vector<std::string>{"lee"}));
    EXPECT_EQ(lobby.transport.sent, (std::vector<std::string>{"FIND_USER^lee^나도 반가워"}));
    EXPECT_EQ(lobby.transport.deliveries[0], Delivery::kPosted);
}

TEST(Memos, IgnoredOrCancelledMemoSendsNothingAndIncompleteOnesOpenNothing) {
    LoggedInLobby lobby;
    lobby.session.HandleServerMessage("SEND_MAIL^lee^hi");  // not answered
    lobby.view.answerMemo = true;
    lobby.session.HandleServerMessage("SEND_MAIL^lee^hi");  // answered, then cancelled
    lobby.session.HandleServerMessage("SEND_MAIL^lee");
    lobby.session.HandleServerMessage("SEND_MAIL^");
    EXPECT_EQ(lobby.view.receivedMemos.size(), 2u);
    EXPECT_TRUE(lobby.transport.sent.empty());
}

TEST(Memos, AFloodOpensBoundedWindowsAndTheRestBecomeChatLines) {
    LoggedInLobby lobby;
    lobby.view.chat.clear();
    // The newest open window's message loop takes the rest of the flood:
    // memos and notices by turns.
    int left = 20;
    lobby.view.whileOpen = [&] {
        while (left > 0) lobby.session.HandleServerMessage(--left % 2 ? "SEND_MAIL^lee^m" : "INFO^n");
    };
    lobby.session.HandleServerMessage("SEND_MAIL^lee^first");
    EXPECT_EQ(lobby.view.receivedMemos.size() + lobby.view.messages.size(), std::size_t{lobby::kMaxServerWindows});
    std::size_t overflow = 21 - lobby::kMaxServerWindows;
    ASSERT_EQ(lobby.view.chat.size(), overflow);
    EXPECT_EQ(lobby.view.chat.front(), "lee님으로부터 쪽지가 왔습니다: m");
    EXPECT_EQ(lobby.view.chat.back(), "n");
    // Once the windows have closed, the next memo has one again.
    lobby.view.whileOpen = nullptr;
    lobby.session.HandleServerMessage("SEND_MAIL^kim^later");
    EXPECT_EQ(lobby.view.receivedMemos.back(), "kim: later");
}

} // namespace
