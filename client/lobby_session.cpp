#include "lobby_session.h"

#include "chat_input.h"
#include "cp949.h"
#include "notice.h"
#include "outgoing_messages.h"
#include "program_title.h"
#include "user_id.h"

namespace lobby {
namespace {
constexpr const char* kMemoToSelf = "자신에게 쪽지를 보내면\n어떻게 하겠다는 겁니까?..\n다시 보내세요!! 빨리...";
constexpr const char* kMemoToSelfCaption = "뭐하는 겁니까...";
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
    if (!transport_.Connect()) view_.ShowMessage(kTooManyUsers, kProgramTitle, MessageIcon::kNone);
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

void LobbySession::OnConnectionClosed() { view_.AddChatLine("서버와 연결이 끊어졌습니다.", false); }

bool LobbySession::OnChatEnter(std::string_view text) {
    auto line = ChatLineFor(chatPrefix_, text);
    if (!line) {
        view_.ShowMessage(cp949::kCaretRefusal, notice::kCaption, MessageIcon::kExclamation);
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
        view_.ShowMessage(kMemoToSelf, kMemoToSelfCaption, MessageIcon::kExclamation);
    } else if (!selectedUser.empty()) {
        SendMemo(selectedUser);
    }
    view_.SetButtonState(LobbyButton::kMemo, ButtonState::kActive);
}

void LobbySession::HandleServerMessage(std::string_view text) {
    std::visit(MessageDispatch{*this}, ParseServerMessage(text));
}

void LobbySession::SendMemo(std::string_view recipient) {
    if (auto text = view_.RunMemoSend(recipient)) transport_.Send(outgoing::Memo(recipient, *text), Delivery::kPosted);
}

void LobbySession::operator()(const message::Memo& memo) {
    if (view_.RunReceivedMemo(memo.sender, memo.text)) SendMemo(memo.sender);
}

void LobbySession::operator()(const message::Info& info) {
    view_.ShowMessage(info.text, notice::kCaption, MessageIcon::kExclamation);
}

void LobbySession::operator()(const message::RoomList& list) {
    view_.ClearRoomList();
    for (const auto& row : list.rows) view_.AddRoomRow(row.Text());
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
    if (inRoom_) return;  // the room window takes room chat; none is open yet
    AddCurrentLine(line.text);
}

} // namespace lobby
