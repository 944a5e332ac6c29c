#include "client/lobby_session.h"

#include "client/chat_input.h"
#include "common/cp949.h"
#include "common/notice.h"
#include "client/protocol/outgoing_messages.h"
#include "client/program_title.h"
#include "client/room_creation.h"

#include <algorithm>
#include "client/user_id.h"

namespace lobby {
namespace {
constexpr const char* kMemoToSelf = "자신에게 쪽지를 보내면\n어떻게 하겠다는 겁니까?..\n다시 보내세요!! 빨리...";
// The room window words the same warning a little differently.
constexpr const char* kRoomMemoToSelf = "자신에게 쪽지를 보내면\n어떻게 하겠다는겁니까?..\n다시 보내세요!! 빨리...";
constexpr const char* kMemoToSelfCaption = "뭐하는 겁니까...";
constexpr const char* kNotInstalledAtJoin =
    "가(이) 설치되어있지 않습니다\n만일 설치를 하지 않으신다면 게임을 하실수 없습니다";
constexpr const char* kNotInstalledAtStart = "를 아직도 설치하지 않았습니다\n방 밖으로 나갑니다";
constexpr const char* kTooManyUsers = "현재 사용자가 너무 많습니다.\n잠시후 다시 이용해 주십시요";
} // namespace

struct MessageDispatch {
    LobbySession& session;
    template <typename Message>
    void operator()(const Message& message) const { session(message); }
};

void LobbySession::SetButtons(std::initializer_list<LobbyButton> buttons, ButtonState state) {
    for (LobbyButton button : buttons) view_.SetButtonState(button, state);
}

void LobbySession::OnIdPromptClosed(const std::optional<std::string>& userId) {
    using enum LobbyButton;
    if (!userId) {
        view_.SetButtonState(kConnect, ButtonState::kActive);
        SetButtons({kCreateRoom, kOtherGames, kDisconnect, kNotebook, kMemo, kJoinRoom}, ButtonState::kInactive);
        return;
    }
    view_.EnableChatInput(true);
    userId_ = *userId;
    chatPrefix_ = lobby::ChatPrefix(userId_);
    SetButtons({kCreateRoom, kOtherGames, kDisconnect, kNotebook, kMemo}, ButtonState::kActive);
    if (!transport_.Connect()) prompts_.ShowMessage(kTooManyUsers, kProgramTitle, MessageIcon::kNone);
    AddCurrentLine("가장빠른 서버를 찾고 있습니다");
    AddCurrentLine("잠시만 기다려 주십시요.");
}

void LobbySession::OnConnected() { view_.StartTimer(LobbyTimer::kLogin); }

void LobbySession::OnLoginDue() {
    view_.StopTimer(LobbyTimer::kLogin);
    transport_.Send(outgoing::Login(userId_), Delivery::kSync);
    view_.StartTimer(LobbyTimer::kLoginWait);
}

void LobbySession::OnKeepAliveDue() { transport_.Send(outgoing::kAlive, Delivery::kPosted); }

void LobbySession::OnConnectionClosed() {
    using enum LobbyButton;
    view_.AddChatLine("서버와 연결이 끊어졌습니다.", false);
    // Nothing of the server's lobby outlives the connection: a room is left
    // here alone, a join under way ends, and no stale row can start a join
    // that nobody would answer.
    if (roomWindowOpen_) {
        ReturnToLobby(TellServer::kNo);
    } else if (inRoom_) {
        CancelJoin();
    }
    view_.ShowRoomRows({});
    view_.ShowUsers({});
    selectedRow_ = -1;
    view_.SetButtonState(kJoinRoom, ButtonState::kInactive);
    // Logged in, the connect button is inactive: without this a server that
    // drops the user would leave no way to connect again.
    view_.SetButtonState(kConnect, ButtonState::kActive);
}

bool LobbySession::OnChatEnter(std::string_view text) {
    auto line = ChatLineFor(chatPrefix_, text);
    if (!line) {
        prompts_.ShowMessage(cp949::kCaretRefusal, notice::kCaption, MessageIcon::kExclamation);
        return false;
    }
    transport_.Send(*line, Delivery::kPosted);
    return true;
}

void LobbySession::OnDisconnectButton() {
    using enum LobbyButton;
    if (inRoom_) {
        view_.SetButtonState(kDisconnect, ButtonState::kInactive);
        return;
    }
    if (!transport_.IsOpen()) return;
    transport_.Disconnect(Delivery::kPosted);
    view_.EnableChatInput(false);
    SetButtons({kJoinRoom, kMemo, kNotebook}, ButtonState::kInactive);
    view_.SetButtonState(kConnect, ButtonState::kActive);
    SetButtons({kOtherGames, kDisconnect, kCreateRoom}, ButtonState::kInactive);
}

void LobbySession::OnMemoButton(std::string_view selectedUser) {
    if (selectedUser == userId_ && !selectedUser.empty()) {
        prompts_.ShowMessage(kMemoToSelf, kMemoToSelfCaption, MessageIcon::kExclamation);
    } else if (!selectedUser.empty()) {
        SendMemo(selectedUser);
    }
    view_.SetButtonState(LobbyButton::kMemo, ButtonState::kActive);
}

void LobbySession::HandleServerMessage(std::string_view text) {
    std::visit(MessageDispatch{*this}, ParseServerMessage(text));
}

void LobbySession::SendMemo(std::string_view recipient) {
    if (auto text = prompts_.RunMemoSend(recipient)) transport_.Send(outgoing::Memo(recipient, *text), Delivery::kPosted);
}

template <typename Open>
void LobbySession::OpenServerWindow(std::string_view line, Open&& open) {
    if (serverWindows_ >= kMaxServerWindows) {
        AddCurrentLine(line);
        return;
    }
    ++serverWindows_;
    open();
    --serverWindows_;
}

void LobbySession::operator()(const message::Memo& memo) {
    CallBack(AttentionEvent::kMemoReceived);
    OpenServerWindow(memo.sender + kMemoFromSuffix + ": " + memo.text, [this, &memo] {
        if (prompts_.RunReceivedMemo(memo.sender, memo.text)) SendMemo(memo.sender);
    });
}

void LobbySession::operator()(const message::Info& info) {
    OpenServerWindow(info.text, [this, &info] {
        prompts_.ShowMessage(info.text, notice::kCaption, MessageIcon::kExclamation);
    });
}

void LobbySession::operator()(const message::RoomList& list) {
    std::vector<std::string> texts;
    for (const auto& row : list.rows) {
        // Titles are kept for numbers the table has; other rooms still show.
        if (row.number >= 0 && row.number < kRoomNumberCount) roomTitles_[static_cast<std::size_t>(row.number)] = row.title;
        texts.push_back(row.Text());
    }
    view_.ShowRoomRows(texts);
}

std::string LobbySession::RoomTitle(int number) const {
    return number >= 0 && number < kRoomNumberCount ? roomTitles_[static_cast<std::size_t>(number)] : std::string();
}

int LobbySession::FindApplication(std::string_view gameName) const {
    auto applications = view_.DirectPlayApplications();
    auto found = std::find(applications.begin(), applications.end(), gameName);
    return found == applications.end() ? -1 : static_cast<int>(found - applications.begin());
}

void LobbySession::OnRoomRowChanged(int row) {
    if (inRoom_) return;
    selectedRow_ = row;
    view_.SetButtonState(LobbyButton::kJoinRoom, ButtonState::kActive);
}

void LobbySession::OnJoinButton() {
    using enum LobbyButton;
    // One room at a time, however the button was reached, and only where a
    // server can answer.
    if (inRoom_ || !transport_.IsOpen()) return;
    int number = RoomNumberOfRowText(view_.RoomRowText(selectedRow_));
    if (number == kNoRoomNumber) {
        view_.SetButtonState(kJoinRoom, ButtonState::kActive);
        return;
    }
    roomNumber_ = number;
    inRoom_ = true;
    transport_.Send(outgoing::Join(number), Delivery::kPosted);
    view_.EnableChatInput(false);
    SetButtons({kExit, kCreateRoom, kJoinRoom, kDisconnect}, ButtonState::kInactive);
    view_.StartTimer(LobbyTimer::kJoinWait);
}

void LobbySession::OnJoinWaitOver() {
    view_.StopTimer(LobbyTimer::kJoinWait);
    if (inRoom_ && !roomWindowOpen_) CancelJoin();
}

void LobbySession::CancelJoin() {
    using enum LobbyButton;
    view_.StopTimer(LobbyTimer::kJoinWait);
    inRoom_ = false;
    roomNumber_ = 0;
    SetButtons({kJoinRoom, kCreateRoom, kExit, kDisconnect}, ButtonState::kActive);
    view_.EnableChatInput(true);
}

void LobbySession::EnterRoom(std::string_view title, bool host) {
    isHost_ = host;
    room_.OpenRoomWindow(title, host);
    roomWindowOpen_ = true;
}

void LobbySession::operator()(const message::JoinReply& reply) {
    // Only a join under way has a reply to take.
    if (!inRoom_ || roomWindowOpen_) return;
    // A yes without its game is no answer: the join wait decides.
    if (reply.yes && !reply.hasGame) return;
    if (!reply.yes) {
        CancelJoin();
        return;
    }
    view_.StopTimer(LobbyTimer::kJoinWait);
    gameName_ = reply.gameName;
    gameKind_ = GameKindFromWire(reply.gameKind);
    std::string title = RoomTitle(roomNumber_);
    view_.SetRoomTitleField(title);
    EnterRoom(title, false);
    if (gameKind_ != kDirectPlayGame) return;
    if (int application = FindApplication(gameName_); application >= 0) {
        view_.SelectApplication(application);
    } else {
        prompts_.ShowMessage(gameName_ + kNotInstalledAtJoin, notice::kCaption, MessageIcon::kExclamation);
    }
}

void LobbySession::OnCreateButton() {
    using enum LobbyButton;
    if (inRoom_) return;
    // A room nobody can join: the server is gone.
    if (!transport_.IsOpen()) {
        AddCurrentLine(kNotConnected);
        view_.SetButtonState(kCreateRoom, ButtonState::kActive);
        return;
    }
    auto applications = view_.DirectPlayApplications();
    auto request = prompts_.RunRoomCreation(applications);
    if (!request) {
        view_.SetButtonState(kCreateRoom, ButtonState::kActive);
        return;
    }
    auto offered = std::min(applications.size(), kMaxOfferedApplications);
    auto choice = GameKindForIndex(request->gameIndex, offered);
    if (choice.kind == kDirectPlayGame) view_.SelectApplication(choice.applicationIndex);
    view_.SetRoomTitleField(request->title);
    transport_.Send(outgoing::NewRoom(request->title, request->members, choice.kind, request->gameName), Delivery::kSync);
    gameKind_ = choice.kind;
    gameName_ = request->gameName;
    inRoom_ = true;
    view_.EnableChatInput(false);
    SetButtons({kExit, kCreateRoom, kJoinRoom, kDisconnect}, ButtonState::kInactive);
    EnterRoom(request->title, true);
}

bool LobbySession::OnRoomChat(std::string_view text) {
    auto line = ChatLineFor(chatPrefix_, text);
    if (!line) {
        room_.ShowRoomMessage(cp949::kCaretRefusal, notice::kCaption, MessageIcon::kExclamation);
        return false;
    }
    transport_.Send(*line, Delivery::kSync);
    return true;
}

void LobbySession::LeaveRoom() { ReturnToLobby(TellServer::kYes); }

void LobbySession::ReturnToLobby(TellServer tell) {
    using enum LobbyButton;
    // "TOP" leaves after the room window has gone.
    if (roomWindowOpen_) {
        room_.CloseRoomWindow();
        roomWindowOpen_ = false;
    }
    if (tell == TellServer::kYes) transport_.Send(outgoing::kLeaveRoom, Delivery::kSync);
    view_.RenewDirectPlayLists();
    view_.EnableChatInput(true);
    SetButtons({kDisconnect, kExit, kCreateRoom}, ButtonState::kActive);
    isHost_ = false;
    inRoom_ = false;
    roomNumber_ = 0;
    roomMembers_.clear();
}

void LobbySession::OnRoomMemo(std::string_view memberId) {
    if (memberId.empty()) return;
    if (memberId == userId_) {
        room_.ShowRoomMessage(kRoomMemoToSelf, kMemoToSelfCaption, MessageIcon::kQuestion);
        return;
    }
    SendMemo(memberId);
}

void LobbySession::OnHostStart() {
    transport_.Send(outgoing::kHostGameStart, Delivery::kPosted);
    // The host's own choice of application stands; only a guest looks the game up by name.
    LaunchGame();
}

void LobbySession::StartGuestGame() {
    if (gameKind_ == kDirectPlayGame) {
        int application = FindApplication(gameName_);
        if (application < 0) {
            prompts_.ShowMessage(gameName_ + kNotInstalledAtStart, notice::kCaption, MessageIcon::kExclamation);
            LeaveRoom();
            return;
        }
        view_.SelectApplication(application);
    }
    LaunchGame();
}

void LobbySession::LaunchGame() {
    if (launcher_ && launcher_->Launch(gameKind_, gameName_, clientAddress_, isHost_) == LaunchResult::kLeaveRoom) {
        LeaveRoom();
    }
}

void LobbySession::operator()(const message::RoomMembers& members) {
    if (!roomWindowOpen_) return;
    auto ids = members.ids;
    std::sort(ids.begin(), ids.end());
    room_.ShowRoomMembers(ids);
    // The first list is the room as the user found it.
    bool newcomer = !roomMembers_.empty() && !std::includes(roomMembers_.begin(), roomMembers_.end(), ids.begin(),
                                                             ids.end());
    roomMembers_ = std::move(ids);
    if (newcomer) CallBack(AttentionEvent::kNewMember);
}

void LobbySession::operator()(const message::YouAreHost&) {
    // A room's creator hosts it already; this is the hand-over.
    bool handedOver = !isHost_;
    isHost_ = true;
    if (!roomWindowOpen_) return;
    room_.GrantRoomHost();
    if (handedOver) CallBack(AttentionEvent::kMadeHost);
}

void LobbySession::operator()(const message::HostGameStart&) {
    if (!roomWindowOpen_) return;
    if (!isHost_) CallBack(AttentionEvent::kGameStart);
    StartGuestGame();
}

void LobbySession::operator()(const message::ClientAddress& address) {
    clientAddress_ = address.address;
    view_.SetGameAddress(clientAddress_);
}

void LobbySession::operator()(const message::LoginReply& reply) {
    using enum LobbyButton;
    if (!reply.accepted) {
        view_.SetButtonState(kConnect, ButtonState::kActive);
        AddCurrentLine("아이디가 중복되는 경우입니다.");
        AddCurrentLine("연결을 끊겠습니다.");
        transport_.Disconnect(Delivery::kSync);
        view_.EnableChatInput(false);
        view_.SetButtonState(kJoinRoom, ButtonState::kInactive);
        view_.SetButtonState(kConnect, ButtonState::kActive);
        SetButtons({kMemo, kNotebook, kOtherGames, kDisconnect, kCreateRoom}, ButtonState::kInactive);
        return;
    }
    view_.StopTimer(LobbyTimer::kLoginWait);
    view_.AddChatLine("나래온 채팅방에 연결되었습니다... ", false);
    view_.SetCaption(userId_ + kWelcomeSuffix);
    transport_.Send(outgoing::kAlive, Delivery::kPosted);
    view_.SetHiddenUserId(userId_);
    view_.StartTimer(LobbyTimer::kKeepAlive);
    view_.FocusChatInput();
    view_.EnableChatInput(true);
    view_.SetButtonState(kConnect, ButtonState::kInactive);
    SetButtons({kCreateRoom, kOtherGames, kDisconnect, kNotebook, kMemo}, ButtonState::kActive);
}

void LobbySession::operator()(const message::ChatLine& line) {
    // In a room the room window shows chat; while joining there is none yet.
    if (!inRoom_) {
        AddCurrentLine(line.text);
    } else if (roomWindowOpen_) {
        room_.ShowRoomChatLine(line.text);
        CallBack(AttentionEvent::kRoomChat);
    }
}

} // namespace lobby
