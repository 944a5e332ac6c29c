#include "client/win32/room_window.h"

#include "common/win32/byte_limited_edit.h"
#include "client/chat_input.h"
#include "client/win32/hand_cursor_button.h"
#include "common/win32/list_box.h"
#include "resource.h"

#include <algorithm>

namespace {
constexpr UINT kScrollChatMessage = WM_APP + 1;
} // namespace

RoomWindow::RoomWindow(HWND lobby, std::string title, bool startAllowed)
    : win::Dialog(IDD_ROOM), lobby_(lobby), title_(std::move(title)), startAllowed_(startAllowed),
      chatScroll_(kScrollChatMessage) {
    OnMessage(kScrollChatMessage, [this](WPARAM, LPARAM) {
        chatScroll_.Apply();
        return TRUE;
    });
    OnMessage(ROOM_MESSAGE, [this](WPARAM notice, LPARAM) { return OnNotice(notice); });
    OnClick(IDC_ROOM_MEMO, [this] { OnMemoButton(); });
    OnClick(IDC_START_GAME, [this] { Raise(kRoomStart); });
    OnClick(IDC_LEAVE_ROOM, [this] { Raise(kRoomLeave); });
}

bool RoomWindow::OnInitDialog() {
    SetCaption("방제 : " + title_);
    EnableItem(IDC_START_GAME, startAllowed_);
    win::LimitEditBytes(Item(IDC_ROOM_CHAT_INPUT), lobby::kRoomChatInputMaxBytes);
    for (int id : {IDC_ROOM_MEMO, IDC_START_GAME, IDC_LEAVE_ROOM}) HandCursorButton::Attach(Item(id));
    ShowMembers();
    PlaceBesideLobby();
    return true;
}

void RoomWindow::PlaceBesideLobby() {
    RECT lobby, room, work;
    GetWindowRect(lobby_, &lobby);
    GetWindowRect(Handle(), &room);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int width = room.right - room.left;
    int height = room.bottom - room.top;
    int x = lobby.right + 4;
    if (x + width > work.right) x = std::max<int>(work.left, work.right - width);
    int y = std::min<int>(lobby.top, work.bottom - height);
    SetWindowPos(Handle(), nullptr, x, std::max<int>(work.top, y), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

LRESULT RoomWindow::Raise(RoomCommand command, LPARAM value) const {
    return SendMessageW(lobby_, ROOM_MESSAGE, command, value);
}

bool RoomWindow::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_ESCAPE) return true;
    if (msg.wParam != VK_RETURN) return false;
    Raise(kRoomChat);
    return true;
}

INT_PTR RoomWindow::OnNotice(WPARAM notice) {
    switch (notice) {
    case kNoticeChatLine:
        chatScroll_.Request(Item(IDC_ROOM_CHAT_LIST), win::list_box::AddLine(Item(IDC_ROOM_CHAT_LIST), incomingChatLine_));
        return TRUE;
    case kNoticeHostGranted:
        EnableItem(IDC_START_GAME, true);
        return TRUE;
    case kNoticeMembers:
        ShowMembers();
        return TRUE;
    default:
        return FALSE;
    }
}

std::string RoomWindow::ChatInput() const { return ItemText(IDC_ROOM_CHAT_INPUT); }

void RoomWindow::ClearChatInput() { SetItemText(IDC_ROOM_CHAT_INPUT, ""); }

void RoomWindow::ShowMembers() { win::list_box::ReplaceLines(Item(IDC_MEMBER_LIST), members_); }

void RoomWindow::OnMemoButton() {
    std::string member = win::list_box::SelectedLine(Item(IDC_MEMBER_LIST));
    Raise(kRoomMemo, reinterpret_cast<LPARAM>(member.c_str()));
}
