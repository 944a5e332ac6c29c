// What the lobby window shows and runs, as the session logic sees it. The
// Win32 shell implements it with the real controls, dialogs and timers;
// tests record the calls.
#pragma once

#include <optional>
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

enum class MessageIcon { kNone, kStop, kExclamation, kQuestion };

// What the room-creation dialog hands back when it is accepted.
struct RoomRequest {
    std::string title;
    unsigned members = 0;
    int gameIndex = 0;  // index into the dialog's game list
    std::string gameName;
};

// The lobby's timers, by id.
enum class LobbyTimer : unsigned {
    kKeepAlive = 1026,
    kIdPrompt = 1029,
    kLogin = 1030,
    kLoginWait = 1031,
};

class LobbyView {
public:
    virtual ~LobbyView() = default;

    virtual void SetButtonState(LobbyButton button, ButtonState state) = 0;
    virtual void EnableChatInput(bool enable) = 0;
    virtual void FocusChatInput() = 0;
    // A line of the chat list; makeCurrent scrolls the list to it.
    virtual void AddChatLine(std::string_view line, bool makeCurrent) = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    virtual void StartTimer(LobbyTimer timer) = 0;
    virtual void StopTimer(LobbyTimer timer) = 0;

    // The hidden fields that game launches read.
    virtual void SetHiddenUserId(std::string_view userId) = 0;
    virtual void SetGameAddress(std::string_view address) = 0;

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
    // The title of the current room, kept where game launches read it.
    virtual void SetRoomTitleField(std::string_view title) = 0;

    // The room-creation dialog; nullopt when cancelled.
    virtual std::optional<RoomRequest> RunRoomCreation(const std::vector<std::string>& applications) = 0;

    // The room window: opened as host or guest, closed when the room is left.
    virtual void OpenRoomWindow(std::string_view title, bool host) = 0;
    virtual void CloseRoomWindow() = 0;
    virtual void ShowRoomChatLine(std::string_view line) = 0;
    // The members, already in their order.
    virtual void ShowRoomMembers(const std::vector<std::string>& ids) = 0;
    virtual void GrantRoomHost() = 0;

    // Memo dialogs. RunReceivedMemo: true when the user answers.
    virtual bool RunReceivedMemo(std::string_view sender, std::string_view text) = 0;
    // The memo text for recipient, or nullopt when cancelled.
    virtual std::optional<std::string> RunMemoSend(std::string_view recipient) = 0;
};

} // namespace lobby
