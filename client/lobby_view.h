// What the lobby window shows, as the session logic sees it. The Win32
// shell implements it with the real controls; tests record the calls.
#pragma once

#include <string_view>

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
};

} // namespace lobby
