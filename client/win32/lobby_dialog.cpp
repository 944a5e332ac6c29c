#include "client/win32/lobby_dialog.h"

#include "common/win32/byte_limited_edit.h"
#include "client/chat_input.h"
#include "client/chat_server_config.h"
#include "common/win32/combo_box.h"
#include "client/games/game_records.h"
#include "client/win32/game_registry_dialog.h"
#include "common/win32/list_box.h"
#include "common/win32/list_view.h"
#include "client/win32/memo_dialogs.h"
#include "common/win32/message_box.h"
#include "common/win32/owned_windows_hold.h"
#include "common/win32/program_path.h"
#include "client/program_title.h"
#include "resource.h"
#include "client/win32/room_creation_dialog.h"
#include "client/win32/sibling_programs.h"
#include "common/win32/text.h"
#include "client/win32/user_id_dialog.h"

#include <commctrl.h>

namespace {

constexpr UINT kScrollChatMessage = WM_APP + 1;
constexpr UINT kAboutCommand = 16;

UINT_PTR TimerId(lobby::LobbyTimer timer) { return static_cast<UINT_PTR>(timer); }

struct ButtonImages {
    int id, normal, selected, hovered;
};
// The disabled look reuses the normal image.
constexpr ButtonImages kButtonImages[] = {
    {IDC_CREATE_ROOM, IDB_CREATE_NORMAL, IDB_CREATE_SELECTED, IDB_CREATE_HOVER},
    {IDOK, IDB_EXIT_NORMAL, IDB_EXIT_SELECTED, IDB_EXIT_HOVER},
    {IDC_CONNECT, IDB_CONNECT_NORMAL, IDB_CONNECT_SELECTED, IDB_CONNECT_HOVER},
    {IDC_OTHER_GAMES, IDB_GAMES_NORMAL, IDB_GAMES_SELECTED, IDB_GAMES_HOVER},
    {IDC_NOTEBOOK, IDB_NOTEBOOK_NORMAL, IDB_NOTEBOOK_SELECTED, IDB_NOTEBOOK_HOVER},
    {IDC_MEMO, IDB_MEMO_NORMAL, IDB_MEMO_SELECTED, IDB_MEMO_HOVER},
    {IDC_JOIN_ROOM, IDB_JOIN_NORMAL, IDB_JOIN_SELECTED, IDB_JOIN_HOVER},
    {IDC_DISCONNECT, IDB_DISCONNECT_NORMAL, IDB_DISCONNECT_SELECTED, IDB_DISCONNECT_HOVER},
    {IDC_INTERNET, IDB_INTERNET_NORMAL, IDB_INTERNET_SELECTED, IDB_INTERNET_HOVER},
};

constexpr int kHiddenControls[] = {IDC_APPLICATIONS,      IDC_PROVIDERS,     IDC_USER_ID_HIDDEN,
                                   IDC_ROOM_TITLE_HIDDEN, IDC_UNUSED_RADIO1, IDC_UNUSED_RADIO2,
                                   IDC_GAME_ADDRESS,      IDC_LAUNCH_STATUS, IDC_RELEASE_SESSION};

bool IsBlackControl(int id) { return id == IDC_CHAT_INPUT || id == IDC_USER_LIST || id == IDC_CHAT_LIST; }

UINT IconFlags(lobby::MessageIcon icon) {
    switch (icon) {
    case lobby::MessageIcon::kStop: return MB_ICONSTOP;
    case lobby::MessageIcon::kExclamation: return MB_ICONEXCLAMATION;
    case lobby::MessageIcon::kQuestion: return MB_ICONQUESTION;
    case lobby::MessageIcon::kNone: break;
    }
    return 0;
}

} // namespace

LobbyDialog::LobbyDialog()
    : win::MainDialog(IDD_LOBBY, {IDI_CLIENT, kAboutCommand, IDS_ABOUT_MENU, IDD_ABOUT}), connection_(*this),
      session_(*this, *this, *this, connection_), chatScroll_(kScrollChatMessage) {
    auto address = lobby::ReadChatServerAddress(win::ProgramFile("config/position.ini"));
    connection_.SetServer(address.host, address.port);

    OnMessage(WM_CTLCOLOREDIT, [this](WPARAM w, LPARAM l) { return OnControlColor(w, l); });
    OnMessage(WM_CTLCOLORLISTBOX, [this](WPARAM w, LPARAM l) { return OnControlColor(w, l); });
    // A disabled edit asks for its colours as a static control.
    OnMessage(WM_CTLCOLORSTATIC, [this](WPARAM w, LPARAM l) { return OnControlColor(w, l); });
    OnMessage(WM_DRAWITEM, [this](WPARAM, LPARAM l) { return OnDrawItem(l); });
    OnMessage(WM_CLOSE, [this](WPARAM, LPARAM) { return OnClose(); });
    OnMessage(SOCKET_MESSAGE, [this](WPARAM socket, LPARAM event) {
        chatPause_.Begin(Item(IDC_CHAT_LIST));
        connection_.OnSocketMessage(socket, event, session_);
        chatPause_.End();
        return TRUE;
    });

    OnTimer(ChatConnection::kFlushTimer, [this] { connection_.OnFlushTimer(session_); });
    OnTimer(TimerId(lobby::LobbyTimer::kIdPrompt), [this] {
        StopTimer(lobby::LobbyTimer::kIdPrompt);
        RunIdPrompt();
    });
    OnTimer(TimerId(lobby::LobbyTimer::kLogin), [this] { session_.OnLoginDue(); });
    OnTimer(TimerId(lobby::LobbyTimer::kLoginWait), [this] { StopTimer(lobby::LobbyTimer::kLoginWait); });
    OnTimer(TimerId(lobby::LobbyTimer::kKeepAlive), [this] { session_.OnKeepAliveDue(); });
    OnTimer(TimerId(lobby::LobbyTimer::kJoinWait), [this] { session_.OnJoinWaitOver(); });

    OnClick(IDC_CONNECT, [this] { StartTimer(lobby::LobbyTimer::kIdPrompt); });
    OnClick(IDC_DISCONNECT, [this] { session_.OnDisconnectButton(); });
    OnClick(IDC_MEMO, [this] { session_.OnMemoButton(win::list_box::SelectedLine(Item(IDC_USER_LIST))); });
    OnClick(IDC_CREATE_ROOM, [this] { session_.OnCreateButton(); });
    OnClick(IDC_JOIN_ROOM, [this] { session_.OnJoinButton(); });
    // The create button is left as it is: made active here, it would offer a
    // new room to a user who is in one or not connected.
    OnClick(IDC_NOTEBOOK, [this] {
        SetButtonState(lobby::LobbyButton::kNotebook, lobby::ButtonState::kActive);
        sibling::StartNotebook();
    });
    OnClick(IDC_OTHER_GAMES, [this] {
        SetButtonState(lobby::LobbyButton::kOtherGames, lobby::ButtonState::kActive);
        GameRegistryDialog registry;
        registry.RunModal(Handle());
    });
    OnClick(IDC_INTERNET, [this] {
        SetButtonState(lobby::LobbyButton::kInternet, lobby::ButtonState::kActive);
        sibling::StartInternetProgram();
    });
    OnRowChange(IDC_ROOM_LIST, [this](int row) { session_.OnRoomRowChanged(row); });
    OnMessage(ROOM_MESSAGE, [this](WPARAM command, LPARAM value) { return OnRoomCommand(command, value); });
    OnMessage(kScrollChatMessage, [this](WPARAM, LPARAM) {
        chatScroll_.Apply();
        return TRUE;
    });
    OnSelectionChange(IDC_USER_LIST, [this] { SetButtonState(lobby::LobbyButton::kMemo, lobby::ButtonState::kActive); });
}

LobbyDialog::~LobbyDialog() {
    if (blackBrush_) DeleteObject(blackBrush_);
}

bool LobbyDialog::OnInitDialog() {
    MainDialog::OnInitDialog();
    connection_.SetWindow(Handle());
    directPlay_ = std::make_unique<DirectPlayGames>(Handle());
    directPlay_->CreateLobby();
    gameLauncher_ = std::make_unique<LobbyGameLauncher>(Handle(), *directPlay_);
    session_.SetGameLauncher(gameLauncher_.get());
    attentionOutput_ = std::make_unique<WindowAttention>(Handle());
    attention_ = std::make_unique<lobby::Attention>(
        lobby::ReadAttentionSettings(win::ProgramFile(lobby::kAttentionSettingsFile)), *attentionOutput_);
    session_.SetAttention(attention_.get());
    // The exit button is the way out, not the title bar.
    EnableMenuItem(GetSystemMenu(Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

    win::LimitEditBytes(Item(IDC_CHAT_INPUT), lobby::kChatInputMaxBytes);
    EnableChatInput(false);
    for (int id : kHiddenControls) ShowItem(id, false);

    background_ = std::make_unique<win::DibBitmap>(win::ProgramFile("media/bg.bmp"), Handle(), kProgramTitle);
    SetUpButtons();
    StartTimer(lobby::LobbyTimer::kIdPrompt);
    SetUpRoomList();
    blackBrush_ = CreateSolidBrush(RGB(0, 0, 0));
    return true;
}

void LobbyDialog::SetUpRoomList() {
    HWND list = Item(IDC_ROOM_LIST);
    win::list_view::AddColumns(list, {{"게임이름", 500}});
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, RGB(255, 255, 255));
    SendMessageW(list, LVM_SETBKCOLOR, 0, RGB(0, 0, 0));
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, RGB(0, 0, 0));
}

void LobbyDialog::SetUpButtons() {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const auto& images = kButtonImages[i];
        buttons_[i].Attach(Item(images.id));
        buttons_[i].SetImages(images.normal, images.selected, images.hovered, images.normal);
    }
    SetButtonState(lobby::LobbyButton::kJoinRoom, lobby::ButtonState::kInactive);
}

LobbyImageButton* LobbyDialog::FindButton(int id) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (kButtonImages[i].id == id) return &buttons_[i];
    }
    return nullptr;
}

bool LobbyDialog::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_ESCAPE) return true;
    if (msg.wParam != VK_RETURN || session_.InRoom()) return false;
    // A refused line keeps its text; the key does nothing further either way.
    if (session_.OnChatEnter(ItemText(IDC_CHAT_INPUT))) SetItemText(IDC_CHAT_INPUT, "");
    return true;
}

void LobbyDialog::OnOK() {
    if (!session_.MayExit()) return;
    StopTimer(lobby::LobbyTimer::kKeepAlive);
    connection_.Close();
    End(IDOK);
}

// The lists' GUID blocks go with the window.
void LobbyDialog::OnDestroy() {
    if (directPlay_) directPlay_->ReleaseLobby();
}

INT_PTR LobbyDialog::OnClose() {
    background_.reset();
    connection_.Close();
    End(IDCANCEL);
    return TRUE;
}

void LobbyDialog::StartTimer(lobby::LobbyTimer timer) {
    SetTimer(Handle(), TimerId(timer), lobby::IntervalMs(timer), nullptr);
}

void LobbyDialog::StopTimer(lobby::LobbyTimer timer) { KillTimer(Handle(), TimerId(timer)); }

void LobbyDialog::RunIdPrompt() {
    UserIdDialog prompt;
    std::optional<std::string> userId;
    if (prompt.RunModal(Handle()) == IDOK) userId = prompt.UserId();
    session_.OnIdPromptClosed(userId);
}

bool LobbyDialog::OnPaint() {
    win::PaintWindow(Handle(), background_.get());
    return true;
}

INT_PTR LobbyDialog::OnControlColor(WPARAM dc, LPARAM control) {
    if (!IsBlackControl(GetDlgCtrlID(reinterpret_cast<HWND>(control)))) return FALSE;
    auto context = reinterpret_cast<HDC>(dc);
    SetBkColor(context, RGB(0, 0, 0));
    SetTextColor(context, RGB(255, 255, 255));
    return reinterpret_cast<INT_PTR>(blackBrush_);
}

INT_PTR LobbyDialog::OnDrawItem(LPARAM item) {
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(item);
    LobbyImageButton* button = FindButton(static_cast<int>(draw.CtlID));
    if (!button) return FALSE;
    button->Draw(draw);
    return TRUE;
}

void LobbyDialog::SetButtonState(lobby::LobbyButton button, lobby::ButtonState state) {
    if (LobbyImageButton* target = FindButton(static_cast<int>(button))) {
        target->SetState(state == lobby::ButtonState::kActive ? LobbyImageButton::kNormal : LobbyImageButton::kSelected);
    }
}

void LobbyDialog::EnableChatInput(bool enable) { EnableItem(IDC_CHAT_INPUT, enable); }

void LobbyDialog::FocusChatInput() { SetFocus(Item(IDC_CHAT_INPUT)); }

void LobbyDialog::AddChatLine(std::string_view line, bool makeCurrent) {
    int index = win::list_box::AddLine(Item(IDC_CHAT_LIST), line);
    if (makeCurrent) chatScroll_.Request(Item(IDC_CHAT_LIST), index);
}

void LobbyDialog::SetCaption(std::string_view caption) { win::Dialog::SetCaption(caption); }

void LobbyDialog::SetHiddenUserId(std::string_view userId) { SetItemText(IDC_USER_ID_HIDDEN, userId); }

void LobbyDialog::SetGameAddress(std::string_view address) { SetItemText(IDC_GAME_ADDRESS, address); }

void LobbyDialog::ShowRoomRows(const std::vector<std::string>& texts) {
    std::vector<win::list_view::Row> rows;
    for (const auto& text : texts) rows.push_back({text});
    win::list_view::ReplaceRows(Item(IDC_ROOM_LIST), rows);
}

void LobbyDialog::ShowUsers(const std::vector<std::string>& ids) {
    win::list_box::ReplaceLines(Item(IDC_USER_LIST), ids, true);
}

std::string LobbyDialog::RoomRowText(int row) const { return win::list_view::CellText(Item(IDC_ROOM_LIST), row); }

std::vector<std::string> LobbyDialog::DirectPlayApplications() const {
    return win::combo_box::Entries(Item(IDC_APPLICATIONS));
}

void LobbyDialog::SelectApplication(int index) {
    SendMessageW(Item(IDC_APPLICATIONS), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void LobbyDialog::RenewDirectPlayLists() {
    if (directPlay_) directPlay_->Renew();
}

void LobbyDialog::SetRoomTitleField(std::string_view title) { SetItemText(IDC_ROOM_TITLE_HIDDEN, title); }

std::optional<lobby::RoomRequest> LobbyDialog::RunRoomCreation(const std::vector<std::string>& applications) {
    std::vector<std::string> registered;
    for (auto& game : lobby::ReadGameRecords(win::ProgramFile("config/game.ini"))) registered.push_back(game.name);
    RoomCreationDialog dialog(applications, registered);
    if (dialog.RunModal(Handle()) != IDOK) return std::nullopt;
    return lobby::RoomRequest{dialog.Title(), dialog.Members(), dialog.SelectedIndex(), dialog.SelectedGameName()};
}

void LobbyDialog::OpenRoomWindow(std::string_view title, bool host) {
    closedRoomWindow_.reset();
    roomWindow_ = std::make_unique<RoomWindow>(Handle(), std::string(title), host);
    roomWindow_->CreateModeless(Handle());
}

void LobbyDialog::CloseRoomWindow() {
    if (!roomWindow_) return;
    roomWindow_->Close();
    closedRoomWindow_ = std::move(roomWindow_);
}

void LobbyDialog::ShowRoomChatLine(std::string_view line) {
    if (!roomWindow_) return;
    roomWindow_->SetIncomingChatLine(std::string(line));
    SendMessageW(roomWindow_->Handle(), ROOM_MESSAGE, kNoticeChatLine, 0);
}

void LobbyDialog::ShowRoomMembers(const std::vector<std::string>& ids) {
    if (!roomWindow_) return;
    roomWindow_->SetMembers(ids);
    SendMessageW(roomWindow_->Handle(), ROOM_MESSAGE, kNoticeMembers, 0);
}

void LobbyDialog::GrantRoomHost() {
    if (roomWindow_) SendMessageW(roomWindow_->Handle(), ROOM_MESSAGE, kNoticeHostGranted, 0);
}

void LobbyDialog::ShowRoomMessage(std::string_view text, std::string_view caption, lobby::MessageIcon icon) {
    if (roomWindow_) win::ShowMessage(roomWindow_->Handle(), text, caption, MB_OK | IconFlags(icon));
}

INT_PTR LobbyDialog::OnRoomCommand(WPARAM command, LPARAM value) {
    switch (command) {
    case kRoomChat:
        if (roomWindow_ && session_.OnRoomChat(roomWindow_->ChatInput())) roomWindow_->ClearChatInput();
        return TRUE;
    case kRoomLeave:
        session_.LeaveRoom();
        return TRUE;
    case kRoomMemo:
        session_.OnRoomMemo(reinterpret_cast<const char*>(value));
        return TRUE;
    case kRoomStart:
        session_.OnHostStart();
        return TRUE;
    default:
        return FALSE;
    }
}

bool LobbyDialog::RunReceivedMemo(std::string_view sender, std::string_view text) {
    chatPause_.End();
    win::OwnedWindowsHold hold(Handle());
    MemoReceivedDialog memo{std::string(sender), std::string(text)};
    return memo.RunModal(Handle()) == IDOK;
}

std::optional<std::string> LobbyDialog::RunMemoSend(std::string_view recipient) {
    chatPause_.End();
    win::OwnedWindowsHold hold(Handle());
    MemoSendDialog memo{std::string(recipient)};
    if (memo.RunModal(Handle()) != IDOK) return std::nullopt;
    return memo.Text();
}

void LobbyDialog::ShowMessage(std::string_view text, std::string_view caption, lobby::MessageIcon icon) {
    chatPause_.End();  // what came before the box is on screen with it
    win::OwnedWindowsHold hold(Handle());
    win::ShowMessage(Handle(), text, caption, MB_OK | IconFlags(icon));
}
