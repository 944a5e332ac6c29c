// The room window (template 140): a modeless view beside the lobby with the
// room's chat and members. It never talks to the server: it raises commands
// to the lobby window and takes notices from it, both as ROOM_MESSAGE.
#pragma once

#include "common/win32/dialog.h"
#include "common/win32/list_box.h"

#include <string>
#include <vector>

inline constexpr UINT ROOM_MESSAGE = WM_USER + 4;

// Commands, room window to lobby window (wParam).
enum RoomCommand : WPARAM { kRoomChat = 1, kRoomLeave = 2, kRoomMemo = 3, kRoomStart = 4 };
// Notices, lobby window to room window (wParam).
enum RoomNotice : WPARAM { kNoticeChatLine = 1, kNoticeHostGranted = 2, kNoticeMembers = 3 };

class RoomWindow : public win::Dialog {
public:
    RoomWindow(HWND lobby, std::string title, bool startAllowed);

    // What the notices show: set before the notice is sent.
    void SetIncomingChatLine(std::string line) { incomingChatLine_ = std::move(line); }
    void SetMembers(std::vector<std::string> ids) { members_ = std::move(ids); }

    std::string ChatInput() const;
    void ClearChatInput();
    void Close() { End(IDCANCEL); }

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    // Only the lobby closes the room window (Close): neither Enter nor a
    // close command from outside, which would leave the lobby in a room
    // that has no window to leave it by.
    void OnOK() override {}
    void OnCancel() override {}

private:
    LRESULT Raise(RoomCommand command, LPARAM value = 0) const;
    INT_PTR OnNotice(WPARAM notice);
    void ShowMembers();
    void OnMemoButton();
    void PlaceBesideLobby();

    HWND lobby_;
    std::string title_;
    bool startAllowed_;
    std::string incomingChatLine_;
    std::vector<std::string> members_;
    win::list_box::ScrollToLast chatScroll_;
};
