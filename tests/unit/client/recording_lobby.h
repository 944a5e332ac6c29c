// Fakes of what the lobby session drives, each recording what it was asked:
// the lobby window's controls, the room window, the prompts, the transport
// and the game launcher.
#pragma once

#include "client/lobby_session.h"

#include <functional>
#include <iterator>
#include <optional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace lobby_test {

using lobby::ButtonState;
using lobby::LobbyButton;

class RecordingControls : public lobby::LobbyControls {
public:
    void SetButtonState(LobbyButton button, ButtonState state) override { buttons[button] = state; }
    void EnableChatInput(bool enable) override { chatEnabled = enable; }
    void FocusChatInput() override { chatFocused = true; }
    void AddChatLine(std::string_view line, bool makeCurrent) override {
        chat.emplace_back(line);
        if (makeCurrent) currentLine = line;
    }
    void SetCaption(std::string_view text) override { caption = text; }
    void StartTimer(lobby::LobbyTimer timer) override { timers.insert(timer); }
    void StopTimer(lobby::LobbyTimer timer) override { timers.erase(timer); }
    void SetHiddenUserId(std::string_view id) override { hiddenUserId = id; }
    void SetGameAddress(std::string_view address) override { gameAddress = address; }
    void SetRoomTitleField(std::string_view title) override { roomTitleField = title; }
    void ShowRoomRows(const std::vector<std::string>& texts) override { rooms = {texts.begin(), texts.end()}; }
    void ShowUsers(const std::vector<std::string>& ids) override { users = ids; }
    std::string RoomRowText(int row) const override {
        if (row < 0 || row >= static_cast<int>(rooms.size())) return {};
        return *std::next(rooms.begin(), row);
    }
    std::vector<std::string> DirectPlayApplications() const override { return applications; }
    void SelectApplication(int index) override { selectedApplication = index; }
    void RenewDirectPlayLists() override { ++renewedLists; }

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
    std::set<lobby::LobbyTimer> timers;
    std::string hiddenUserId;
    std::string gameAddress;
    std::string roomTitleField;
    std::set<std::string> rooms;  // ordered by text, as the sorted list view shows them
    std::vector<std::string> users;
    std::vector<std::string> applications;
    int selectedApplication = -1;
    int renewedLists = 0;
};

class RecordingRoomView : public lobby::RoomView {
public:
    void OpenRoomWindow(std::string_view title, bool host) override {
        roomWindow = RoomWindowState{std::string(title), host, {}, {}};
    }
    void CloseRoomWindow() override { roomWindow.reset(); }
    void ShowRoomChatLine(std::string_view line) override { roomWindow->chat.emplace_back(line); }
    void ShowRoomMembers(const std::vector<std::string>& ids) override { roomWindow->members = ids; }
    void GrantRoomHost() override { roomWindow->startEnabled = true; }
    void ShowRoomMessage(std::string_view text, std::string_view title, lobby::MessageIcon) override {
        roomMessages.push_back(std::string(title) + ": " + std::string(text));
    }

    struct RoomWindowState {
        std::string title;
        bool startEnabled = false;
        std::vector<std::string> chat;
        std::vector<std::string> members;
    };
    std::optional<RoomWindowState> roomWindow;
    std::vector<std::string> roomMessages;
};

class RecordingPrompts : public lobby::LobbyPrompts {
public:
    void ShowMessage(std::string_view text, std::string_view title, lobby::MessageIcon) override {
        messages.push_back(std::string(title) + ": " + std::string(text));
        if (whileOpen) whileOpen();
    }
    std::optional<lobby::RoomRequest> RunRoomCreation(const std::vector<std::string>& offered) override {
        offeredApplications = offered;
        return roomRequest;
    }
    bool RunReceivedMemo(std::string_view sender, std::string_view text) override {
        receivedMemos.push_back(std::string(sender) + ": " + std::string(text));
        if (whileOpen) whileOpen();
        return answerMemo;
    }
    std::optional<std::string> RunMemoSend(std::string_view recipient) override {
        memoRecipients.emplace_back(recipient);
        return memoText;
    }

    std::vector<std::string> messages;
    std::vector<std::string> offeredApplications;
    std::optional<lobby::RoomRequest> roomRequest;
    std::vector<std::string> receivedMemos;
    std::vector<std::string> memoRecipients;
    bool answerMemo = false;
    std::optional<std::string> memoText;
    // What a box's or dialog's own message loop delivers while it is open.
    std::function<void()> whileOpen;
};

// Everything the session shows, in one place for the tests that look at all of it.
struct RecordingView : RecordingControls, RecordingRoomView, RecordingPrompts {};

// Reports back as the real connection does: a synchronous disconnect closes
// before it returns, a posted one when DeliverPosted runs.
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
    void Disconnect(lobby::Delivery delivery) override {
        ++disconnects;
        if (delivery == lobby::Delivery::kPosted) {
            closePosted = true;
            return;
        }
        Close();
    }
    void DeliverPosted() {
        if (closePosted) Close();
    }

    lobby::ConnectionEvents* events = nullptr;
    bool connectSucceeds = true;
    bool open = false;
    bool closePosted = false;
    int connects = 0;
    int disconnects = 0;
    std::vector<std::string> sent;
    std::vector<lobby::Delivery> deliveries;

private:
    void Close() {
        closePosted = false;
        if (!open) return;
        open = false;
        if (events) events->OnConnectionClosed();
    }
};

class RecordingLauncher : public lobby::GameLauncher {
public:
    lobby::LaunchResult Launch(lobby::GameKind kind, std::string_view game, std::string_view address, bool host) override {
        launches.push_back(std::to_string(kind) + " " + std::string(game) + " " + std::string(address) +
                           (host ? " host" : " guest"));
        return result;
    }
    std::vector<std::string> launches;
    lobby::LaunchResult result = lobby::LaunchResult::kStayInRoom;
};

// A session over recording fakes, not yet connected.
struct RecordedLobby {
    RecordingView view;
    RecordingTransport transport;
    lobby::LobbySession session{view, view, view, transport};

    RecordedLobby() { transport.events = &session; }
};

// A session whose user logged in as "kim".
struct LoggedInLobby : RecordedLobby {
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
