// The lobby window's own controls and timers, as the session sees them. The
// Win32 shell implements them with the real window; tests record the calls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lobby {

// The lobby's image buttons, by control id.
enum class LobbyButton : int {
    kExit = 1,
    kCreateRoom = 1003,
    kConnect = 1004,
    kJoinRoom = 1007,
    kOtherGames = 1042,
    kNotebook = 1043,
    kMemo = 1044,
    kInternet = 1045,
    kDisconnect = 1048,
};

// Active buttons take clicks; an inactive one swallows them until the program
// makes it active again.
enum class ButtonState { kActive, kInactive };

// The lobby's timers, by id.
enum class LobbyTimer : unsigned {
    kKeepAlive = 1026,
    kIdPrompt = 1029,
    kLogin = 1030,
    kLoginWait = 1031,
    // A join the server leaves unanswered this long is given up.
    kJoinWait = 1032,
};

// How long each timer runs, in milliseconds.
constexpr unsigned IntervalMs(LobbyTimer timer) {
    switch (timer) {
    case LobbyTimer::kKeepAlive: return 180000;
    case LobbyTimer::kLoginWait: return 2000;
    case LobbyTimer::kJoinWait: return 5000;
    case LobbyTimer::kIdPrompt:
    case LobbyTimer::kLogin: break;
    }
    return 500;
}

class LobbyControls {
public:
    virtual ~LobbyControls() = default;

    virtual void SetButtonState(LobbyButton button, ButtonState state) = 0;
    virtual void EnableChatInput(bool enable) = 0;
    virtual void FocusChatInput() = 0;
    // A line of the chat list; makeCurrent scrolls the list to it.
    virtual void AddChatLine(std::string_view line, bool makeCurrent) = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    virtual void StartTimer(LobbyTimer timer) = 0;
    virtual void StopTimer(LobbyTimer timer) = 0;

    // The hidden fields that game launches read.
    virtual void SetHiddenUserId(std::string_view userId) = 0;
    virtual void SetGameAddress(std::string_view address) = 0;
    // The title of the current room, kept where game launches read it.
    virtual void SetRoomTitleField(std::string_view title) = 0;

    // The room list (kept sorted by its texts) and the lobby's user list.
    // Replaces the room list's rows (none: the list is emptied).
    virtual void ShowRoomRows(const std::vector<std::string>& texts) = 0;
    // Empties the user list and adds each ID, selecting it as it is added.
    virtual void ShowUsers(const std::vector<std::string>& ids) = 0;
    // The text of a row of the sorted room list, "" when there is none.
    virtual std::string RoomRowText(int row) const = 0;

    // The DirectPlay lobby applications (the hidden list, in its order) and
    // the choice of one of them for the room's game.
    virtual std::vector<std::string> DirectPlayApplications() const = 0;
    virtual void SelectApplication(int index) = 0;
    // Rebuilds the DirectPlay lists after a room was left.
    virtual void RenewDirectPlayLists() = 0;
};

} // namespace lobby
