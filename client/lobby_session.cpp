#include "lobby_session.h"

#include "chat_input.h"
#include "cp949.h"
#include "notice.h"
#include "user_id.h"

namespace lobby {

void LobbySession::SetButtons(std::initializer_list<LobbyButton> buttons, ButtonState state) {
    for (LobbyButton button : buttons) view_.SetButtonState(button, state);
}

bool LobbySession::OnIdPromptClosed(const std::optional<std::string>& userId) {
    using enum LobbyButton;
    if (!userId) {
        view_.SetButtonState(kConnect, ButtonState::kActive);
        SetButtons({kCreateRoom, kOtherGames, kDisconnect, kNotebook, kMemo, kJoinRoom}, ButtonState::kInactive);
        return false;
    }
    view_.EnableChatInput(true);
    userId_ = *userId;
    chatPrefix_ = lobby::ChatPrefix(userId_);
    SetButtons({kCreateRoom, kOtherGames, kDisconnect, kNotebook, kMemo}, ButtonState::kActive);
    return true;
}

std::optional<std::string> LobbySession::OnChatEnter(std::string_view text) {
    auto line = ChatLineFor(chatPrefix_, text);
    if (!line) view_.ShowMessage(cp949::kCaretRefusal, notice::kCaption, MessageIcon::kExclamation);
    return line;
}

} // namespace lobby
