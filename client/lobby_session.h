// The lobby's own state: who the user is, the login, whether a room is open,
// which buttons may be used, and what every server message does. The window
// feeds it user actions and timers, the connection its events, and it applies
// what it decides through the lobby's controls, the room view, the prompts and
// the transport.
#pragma once

#include "client/attention.h"
#include "client/games/game_launcher.h"
#include "client/lobby_controls.h"
#include "client/lobby_prompts.h"
#include "client/lobby_transport.h"
#include "client/protocol/server_message.h"
#include "client/room_view.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace lobby {

inline constexpr const char* kWelcomeSuffix = "님! 나래온 게임방에 오신걸 환영합니다";
inline constexpr const char* kNotConnected = "서버와 연결되어 있지 않습니다.";
// Windows that server messages open (a received memo with its answer, a
// notice) nest: each one's message loop handles what arrives meanwhile. A
// flood keeps at most this many open at once and shows the rest as lines of
// the chat list, where the user can still read them.
inline constexpr int kMaxServerWindows = 5;
// Follows the sender's name in a received memo's caption, and in its chat line
// when too many windows are open.
inline constexpr const char* kMemoFromSuffix = "님으로부터 쪽지가 왔습니다";

class LobbySession : public ConnectionEvents {
public:
    LobbySession(LobbyControls& view, RoomView& room, LobbyPrompts& prompts, LobbyTransport& transport)
        : view_(view), room_(room), prompts_(prompts), transport_(transport) {}

    // The ID prompt ended: the accepted ID, or nullopt when it was cancelled.
    // An accepted ID starts the connection.
    void OnIdPromptClosed(const std::optional<std::string>& userId);
    void OnConnected() override;
    void HandleServerMessage(std::string_view text) override;
    void OnConnectionClosed() override;

    void OnLoginDue();
    void OnKeepAliveDue();
    // The join got no usable answer in time: it counts as refused.
    void OnJoinWaitOver();

    // Enter in the chat input outside a room: the text stays when refused.
    // Returns true when the line was sent and the input is to be emptied.
    bool OnChatEnter(std::string_view text);
    void OnDisconnectButton();
    // Button 1044 with the user chosen in the lobby's user list ("" for none).
    void OnMemoButton(std::string_view selectedUser);
    // The exit button ends the program only outside a room.
    bool MayExit() const { return !inRoom_; }

    // The room list's item-changed notification for row.
    void OnRoomRowChanged(int row);
    void OnJoinButton();
    void OnCreateButton();

    // Commands of the room window.
    // Sends the room's chat input; true when the input is to be emptied.
    bool OnRoomChat(std::string_view text);
    void LeaveRoom();
    // The room's memo button with the chosen member ("" for none).
    void OnRoomMemo(std::string_view memberId);
    void OnHostStart();

    // Game launches go here once the program can start games.
    void SetGameLauncher(GameLauncher* launcher) { launcher_ = launcher; }
    // Events that call a player back to a lobby behind other windows go here.
    void SetAttention(Attention* attention) { attention_ = attention; }

    // In a room or joining one: Enter belongs to the room window.
    bool InRoom() const { return inRoom_; }

private:
    void SetButtons(std::initializer_list<LobbyButton> buttons, ButtonState state);
    void AddCurrentLine(std::string_view line) { view_.AddChatLine(line, true); }
    void SendMemo(std::string_view recipient);
    // Runs open as one more window opened by the server, or adds line to the
    // chat list instead when kMaxServerWindows are open already.
    template <typename Open>
    void OpenServerWindow(std::string_view line, Open&& open);
    // Back in the lobby from a join under way.
    void CancelJoin();
    // Back in the lobby from an open room; the server is told unless the
    // connection is gone.
    enum class TellServer { kYes, kNo };
    void ReturnToLobby(TellServer tell);
    void EnterRoom(std::string_view title, bool host);
    void StartGuestGame();
    void LaunchGame();
    // The application index of gameName in the DirectPlay list, or -1.
    int FindApplication(std::string_view gameName) const;
    std::string RoomTitle(int number) const;
    void CallBack(AttentionEvent event) {
        if (attention_) attention_->Notice(event);
    }

    void operator()(const message::Ignored&) {}
    void operator()(const message::Memo& memo);
    void operator()(const message::Info& info);
    void operator()(const message::RoomListCleared&) { view_.ShowRoomRows({}); }
    void operator()(const message::RoomList& list);
    void operator()(const message::RoomMembers& members);
    void operator()(const message::UserList& users) { view_.ShowUsers(users.ids); }
    void operator()(const message::ClientAddress& address);
    void operator()(const message::YouAreHost&);
    void operator()(const message::HostGameStart&);
    void operator()(const message::RoomNumber& room) { roomNumber_ = room.number; }
    void operator()(const message::LoginReply& reply);
    void operator()(const message::JoinReply& reply);
    void operator()(const message::ChatLine& line);
    friend struct MessageDispatch;

    LobbyControls& view_;
    RoomView& room_;
    LobbyPrompts& prompts_;
    LobbyTransport& transport_;
    std::string userId_;
    std::string chatPrefix_;
    std::string clientAddress_;
    GameLauncher* launcher_ = nullptr;
    Attention* attention_ = nullptr;
    // The room's members as last shown, sorted; empty until the first list.
    std::vector<std::string> roomMembers_;
    std::array<std::string, kRoomNumberCount> roomTitles_;
    int selectedRow_ = -1;
    bool inRoom_ = false;
    bool roomWindowOpen_ = false;
    bool isHost_ = false;
    int serverWindows_ = 0;
    int roomNumber_ = 0;
    std::string gameName_;
    GameKind gameKind_ = kStarCraft;
};

} // namespace lobby
