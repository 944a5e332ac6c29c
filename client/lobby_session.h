// The lobby's own state: who the user is, whether a room is open, and which
// buttons may be used. The window feeds it the user's actions and applies
// what it decides through LobbyView.
#pragma once

#include "lobby_view.h"

#include <optional>
#include <string>
#include <string_view>

namespace lobby {

inline constexpr const char* kWelcomeSuffix = "님! 나래온 게임방에 오신걸 환영합니다";

class LobbySession {
public:
    explicit LobbySession(LobbyView& view) : view_(view) {}

    // The ID prompt ended: the accepted ID, or nullopt when it was cancelled.
    // Returns true when the connection should be made now.
    bool OnIdPromptClosed(const std::optional<std::string>& userId);

    // Enter in the chat input outside a room: the line to send, or nullopt
    // when the text was refused (the view was told why; the text stays).
    std::optional<std::string> OnChatEnter(std::string_view text);

    // The exit button ends the program only outside a room.
    bool MayExit() const { return !inRoom_; }

    bool InRoom() const { return inRoom_; }
    const std::string& UserId() const { return userId_; }
    const std::string& ChatPrefix() const { return chatPrefix_; }

private:
    void SetButtons(std::initializer_list<LobbyButton> buttons, ButtonState state);

    LobbyView& view_;
    std::string userId_;
    std::string chatPrefix_;
    bool inRoom_ = false;
};

} // namespace lobby
