#include "lobby_session.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using lobby::ButtonState;
using lobby::LobbyButton;

class RecordingView : public lobby::LobbyView {
public:
    void SetButtonState(LobbyButton button, ButtonState state) override { buttons[button] = state; }
    void EnableChatInput(bool enable) override { chatEnabled = enable; }
    void FocusChatInput() override { chatFocused = true; }
    void AddChatLine(std::string_view line, bool) override { chat.emplace_back(line); }
    void SetCaption(std::string_view text) override { caption = text; }
    void ShowMessage(std::string_view text, std::string_view title, lobby::MessageIcon) override {
        messages.push_back(std::string(title) + ": " + std::string(text));
    }

    std::map<LobbyButton, ButtonState> buttons;
    bool chatEnabled = false;
    bool chatFocused = false;
    std::vector<std::string> chat;
    std::string caption;
    std::vector<std::string> messages;
};

TEST(IdPrompt, CancelLeavesOnlyConnectActive) {
    RecordingView view;
    lobby::LobbySession session(view);
    EXPECT_FALSE(session.OnIdPromptClosed(std::nullopt));
    EXPECT_EQ(view.buttons[LobbyButton::kConnect], ButtonState::kActive);
    for (auto button : {LobbyButton::kCreateRoom, LobbyButton::kOtherGames, LobbyButton::kDisconnect,
                        LobbyButton::kNotebook, LobbyButton::kMemo, LobbyButton::kJoinRoom}) {
        EXPECT_EQ(view.buttons[button], ButtonState::kInactive);
    }
    EXPECT_FALSE(view.chatEnabled);
}

TEST(IdPrompt, AcceptEnablesChatAndLobbyButtons) {
    RecordingView view;
    lobby::LobbySession session(view);
    EXPECT_TRUE(session.OnIdPromptClosed(std::string("kim")));
    EXPECT_TRUE(view.chatEnabled);
    EXPECT_EQ(session.UserId(), "kim");
    EXPECT_EQ(session.ChatPrefix(), "[kim]");
    for (auto button : {LobbyButton::kCreateRoom, LobbyButton::kOtherGames, LobbyButton::kDisconnect,
                        LobbyButton::kNotebook, LobbyButton::kMemo}) {
        EXPECT_EQ(view.buttons[button], ButtonState::kActive);
    }
    EXPECT_EQ(view.buttons.count(LobbyButton::kJoinRoom), 0u);  // join waits for a chosen room
}

TEST(ChatEnter, SendsPrefixedLineOrRefusesCaret) {
    RecordingView view;
    lobby::LobbySession session(view);
    session.OnIdPromptClosed(std::string("lee"));
    EXPECT_EQ(session.OnChatEnter("안녕"), "[lee] 안녕");
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(session.OnChatEnter("x^y"));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], "알림: '^'문자는 입력할수 없습니다");
}

TEST(Exit, AllowedOutsideARoom) {
    RecordingView view;
    lobby::LobbySession session(view);
    EXPECT_TRUE(session.MayExit());
}

} // namespace
