// A lobby view and transport that record what the session asks of them.
#pragma once

#include "client/lobby_session.h"

#include <iterator>
#include <optional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace lobby_test {

using lobby::ButtonState;
using lobby::LobbyButton;

class RecordingView : public lobby::LobbyView {
public:
    void SetButtonState(LobbyButton button, ButtonState state) override { buttons[button] = state; }
    void EnableChatInput(bool enable) override { chatEnabled = enable; }
    void FocusChatInput() override { chatFocused = true; }
    void AddChatLine(std::string_view line, bool makeCurrent) override {
        chat.emplace_back(line);
        if (makeCurrent) currentLine = line;
    }
    void SetCaption(std::string_view text) override { caption = text; }
    void ShowMessage(std::string_view text, std::string_view title, lobby::MessageIcon) override {
        messages.push_back(std::string(title) + ": " + std::string(text));
    }
    void StartTimer(lobby::LobbyTimer timer) override { timers.insert(timer); }
    void StopTimer(lobby::LobbyTimer timer) override { timers.erase(timer); }
    void SetHiddenUserId(std::string_view id) override { hiddenUserId = id; }
    void SetGameAddress(std::string_view address) override { gameAddress = address; }
    void ShowRoomRows(const std::vector<std::string>& texts) override { rooms = {texts.begin(), texts.end()}; }
    void ShowUsers(const std::vector<std::string>& ids) override { users = ids; }
    bool RunReceivedMemo(std::string_view sender, std::string_view text) override {
        receivedMemos.push_back(std::string(sender) + ": " + std::string(text));
        return answerMemo;
    }
    std::optional<std::string> RunMemoSend(std::string_view recipient) override {
        memoRecipients.emplace_back(recipient);
        return memoText;
    }

    std::string RoomRowText(int row) const override {
        if (row < 0 || row >= static_cast<int>(rooms.size())) return {};
        return *std::next(rooms.begin(), row);
    }
    std::vector<std::string> DirectPlayApplications() const override { return applications; }
    void SelectApplication(int index) override { selectedApplication = index; }
    void RenewDirectPlayLists() override { ++renewedLists; }
    void SetRoomTitleField(std::string_view title) override { roomTitleField = title; }
    std::optional<lobby::RoomRequest> RunRoomCreation(const std::vector<std::string>& offered) override {
        offeredApplications = offered;
        return roomRequest;
    }
    void OpenRoomWindow(std::string_view title, bool host) override {
        roomWindow = RoomWindowState{std::string(title), host, {}, {}};
    }
    void CloseRoomWindow() override { roomWindow.reset(); }
    void ShowRoomChatLine(std::string_view line) override { roomWindow->chat.emplace_back(line); }
    void ShowRoomMembers(const std::vector<std::string>& ids) override { roomWindow->members = ids; }
    void GrantRoomHost() override { roomWindow->startEnabled = true; }

    bool IsActive(LobbyButton button) const {
        auto found = buttons.find(button);
        return found != buttons.end() && found->second == ButtonState::kActive;
    }

    std::map<LobbyButton, ButtonState> buttons;
    bool chatEnabled = false;
    bool chatFocused = false;
    std::vector<std::string> chat;
    std::string currentLine;
    std::string caption;
    std::vector<std::string> messages;
    std::set<lobby::LobbyTimer> timers;
    std::string hiddenUserId;
    std::string gameAddress;
    std::set<std::string> rooms;  // ordered by text, as the sorted list view shows them
    std::vector<std::string> users;
    std::vector<std::string> receivedMemos;
    std::vector<std::string> memoRecipients;
    std::vector<std::string> applications;
    int selectedApplication = -1;
    int renewedLists = 0;
    std::string roomTitleField;
    std::vector<std::string> offeredApplications;
    std::optional<lobby::RoomRequest> roomRequest;
    struct RoomWindowState {
        std::string title;
        bool startEnabled = false;
        std::vector<std::string> chat;
        std::vector<std::string> members;
    };
    std::optional<RoomWindowState> roomWindow;
    bool answerMemo = false;
    std::optional<std::string> memoText;
};

class RecordingTransport : public lobby::LobbyTransport {
public:
    bool Connect() override {
        ++connects;
        open = connectSucceeds;
        return connectSucceeds;
    }
    bool IsOpen() const override { return open; }
    void Send(std::string_view message, lobby::Delivery delivery) override {
        sent.emplace_back(message);
        deliveries.push_back(delivery);
    }
    void Disconnect(lobby::Delivery) override {
        open = false;
        ++disconnects;
    }

    bool connectSucceeds = true;
    bool open = false;
    int connects = 0;
    int disconnects = 0;
    std::vector<std::string> sent;
    std::vector<lobby::Delivery> deliveries;
};

class RecordingLauncher : public lobby::GameLauncher {
public:
    lobby::LaunchResult Launch(int kind, std::string_view game, std::string_view address) override {
        launches.push_back(std::to_string(kind) + " " + std::string(game) + " " + std::string(address));
        return result;
    }
    std::vector<std::string> launches;
    lobby::LaunchResult result = lobby::LaunchResult::kStayInRoom;
};

// A session whose user logged in as "kim".
struct LoggedInLobby {
    RecordingView view;
    RecordingTransport transport;
    lobby::LobbySession session{view, transport};

    LoggedInLobby() {
        session.OnIdPromptClosed(std::string("kim"));
        session.OnConnected();
        session.OnLoginDue();
        session.HandleServerMessage("IDORDER^OK");
        transport.sent.clear();
        transport.deliveries.clear();
    }
};

} // namespace lobby_test
