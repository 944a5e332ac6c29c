// The lobby window (template 102), the program's whole life: it owns the
// session, the chat connection, the background and the image buttons.
#pragma once

#include "client/win32/attention_shell.h"
#include "client/win32/chat_connection.h"
#include "client/win32/direct_play_games.h"
#include "common/win32/dib_bitmap.h"
#include "common/win32/list_box.h"
#include "common/win32/main_window.h"
#include "common/win32/redraw_pause.h"
#include "client/win32/lobby_game_launcher.h"
#include "client/win32/lobby_image_button.h"
#include "client/lobby_session.h"
#include "client/win32/room_window.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

class LobbyDialog : public win::MainDialog,
                    private lobby::LobbyControls,
                    private lobby::RoomView,
                    private lobby::LobbyPrompts {
public:
    LobbyDialog();
    ~LobbyDialog() override;

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    void OnOK() override;
    // Escape and the cancel command never close the lobby.
    void OnCancel() override {}
    void OnDestroy() override;
    bool OnPaint() override;

private:
    // LobbyControls
    void SetButtonState(lobby::LobbyButton button, lobby::ButtonState state) override;
    void EnableChatInput(bool enable) override;
    void FocusChatInput() override;
    void AddChatLine(std::string_view line, bool makeCurrent) override;
    void SetCaption(std::string_view caption) override;
    void StartTimer(lobby::LobbyTimer timer) override;
    void StopTimer(lobby::LobbyTimer timer) override;
    void SetHiddenUserId(std::string_view userId) override;
    void SetGameAddress(std::string_view address) override;
    void ShowRoomRows(const std::vector<std::string>& texts) override;
    void ShowUsers(const std::vector<std::string>& ids) override;
    std::string RoomRowText(int row) const override;
    std::vector<std::string> DirectPlayApplications() const override;
    void SelectApplication(int index) override;
    void RenewDirectPlayLists() override;
    void SetRoomTitleField(std::string_view title) override;
    // RoomView
    void OpenRoomWindow(std::string_view title, bool host) override;
    void CloseRoomWindow() override;
    void ShowRoomChatLine(std::string_view line) override;
    void ShowRoomMembers(const std::vector<std::string>& ids) override;
    void GrantRoomHost() override;
    void ShowRoomMessage(std::string_view text, std::string_view caption, lobby::MessageIcon icon) override;
    // LobbyPrompts
    void ShowMessage(std::string_view text, std::string_view caption, lobby::MessageIcon icon) override;
    std::optional<lobby::RoomRequest> RunRoomCreation(const std::vector<std::string>& applications) override;
    bool RunReceivedMemo(std::string_view sender, std::string_view text) override;
    std::optional<std::string> RunMemoSend(std::string_view recipient) override;

    void SetUpRoomList();
    void SetUpButtons();
    void RunIdPrompt();
    INT_PTR OnRoomCommand(WPARAM command, LPARAM value);

    INT_PTR OnControlColor(WPARAM dc, LPARAM control);
    INT_PTR OnDrawItem(LPARAM item);
    INT_PTR OnClose();

    LobbyImageButton* FindButton(int id);

    ChatConnection connection_;
    std::unique_ptr<DirectPlayGames> directPlay_;
    std::unique_ptr<LobbyGameLauncher> gameLauncher_;
    std::unique_ptr<WindowAttention> attentionOutput_;
    std::unique_ptr<lobby::Attention> attention_;
    lobby::LobbySession session_;
    std::unique_ptr<win::DibBitmap> background_;
    HBRUSH blackBrush_ = nullptr;
    std::array<LobbyImageButton, 9> buttons_;
    win::list_box::ScrollToLast chatScroll_;
    // Received traffic comes in bursts: the chat list repaints once per burst.
    win::RedrawPause chatPause_;
    std::unique_ptr<RoomWindow> roomWindow_;
    // A closed room window waits here until no handler of it is running.
    std::unique_ptr<RoomWindow> closedRoomWindow_;
};
