#include "lobby_dialog.h"

#include "chat_server_config.h"
#include "message_box.h"
#include "program_path.h"
#include "program_title.h"
#include "resource.h"
#include "text.h"
#include "user_id_dialog.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR TIMER_ID_PROMPT = 1029;
constexpr UINT kIdPromptDelayMs = 500;
constexpr UINT kAboutCommand = 16;

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
                                   IDC_GAME_ADDRESS,      IDC_UNUSED_EDIT,   IDC_RELEASE_SESSION};

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

LobbyDialog::LobbyDialog() : win::Dialog(IDD_LOBBY), session_(*this) {
    icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CLIENT));
    auto address = lobby::ReadChatServerAddress(win::ProgramFile("config/position.ini"));
    serverHost_ = address.host;
    serverPort_ = address.port;

    OnMessage(WM_PAINT, [this](WPARAM, LPARAM) { return OnPaint(); });
    OnMessage(WM_CTLCOLOREDIT, [this](WPARAM w, LPARAM l) { return OnControlColor(w, l); });
    OnMessage(WM_CTLCOLORLISTBOX, [this](WPARAM w, LPARAM l) { return OnControlColor(w, l); });
    // A disabled edit asks for its colours as a static control.
    OnMessage(WM_CTLCOLORSTATIC, [this](WPARAM w, LPARAM l) { return OnControlColor(w, l); });
    OnMessage(WM_SYSCOMMAND, [this](WPARAM w, LPARAM) { return OnSysCommand(w); });
    OnMessage(WM_QUERYDRAGICON, [this](WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(icon_); });
    OnMessage(WM_DRAWITEM, [this](WPARAM, LPARAM l) { return OnDrawItem(l); });
    OnMessage(WM_TIMER, [this](WPARAM w, LPARAM) { return OnTimer(w); });
    OnMessage(WM_CLOSE, [this](WPARAM, LPARAM) { return OnClose(); });
}

LobbyDialog::~LobbyDialog() {
    if (blackBrush_) DeleteObject(blackBrush_);
}

bool LobbyDialog::OnInitDialog() {
    SetUpSystemMenu();
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i].Attach(Item(kButtonImages[i].id));
    EnableChatInput(false);
    SetButtonState(lobby::LobbyButton::kJoinRoom, lobby::ButtonState::kInactive);
    for (int id : kHiddenControls) ShowItem(id, false);

    background_ = std::make_unique<win::DibBitmap>(win::ProgramFile("media/bg.bmp"), Handle(), kProgramTitle);
    LoadButtonImages();
    SetTimer(Handle(), TIMER_ID_PROMPT, kIdPromptDelayMs, nullptr);
    SetUpRoomList();
    blackBrush_ = CreateSolidBrush(RGB(0, 0, 0));
    return true;
}

void LobbyDialog::SetUpSystemMenu() {
    wchar_t aboutText[64] = L"";
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUT_MENU, aboutText, static_cast<int>(std::size(aboutText))) <= 0) return;
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    if (!menu) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommand, aboutText);
    // The exit button is the way out, not the title bar.
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void LobbyDialog::SetUpRoomList() {
    HWND list = Item(IDC_ROOM_LIST);
    std::wstring header = win::Widen("게임이름");
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = 500;
    column.pszText = header.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, RGB(255, 255, 255));
    SendMessageW(list, LVM_SETBKCOLOR, 0, RGB(0, 0, 0));
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, RGB(0, 0, 0));
}

void LobbyDialog::LoadButtonImages() {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const auto& images = kButtonImages[i];
        buttons_[i].SetImages(images.normal, images.selected, images.hovered, images.normal);
    }
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
    if (auto line = session_.OnChatEnter(ItemText(IDC_CHAT_INPUT))) {
        SendToServer(*line);
        SetItemText(IDC_CHAT_INPUT, "");
    }
    return true;
}

void LobbyDialog::SendToServer(std::string_view) {
    // The chat connection is not made yet; nothing can be sent.
}

void LobbyDialog::OnOK() {
    if (!session_.MayExit()) return;
    End(IDOK);
}

INT_PTR LobbyDialog::OnClose() {
    background_.reset();
    End(IDCANCEL);
    return TRUE;
}

INT_PTR LobbyDialog::OnTimer(WPARAM timer) {
    if (timer != TIMER_ID_PROMPT) return FALSE;
    KillTimer(Handle(), TIMER_ID_PROMPT);
    RunIdPrompt();
    return TRUE;
}

void LobbyDialog::RunIdPrompt() {
    UserIdDialog prompt;
    std::optional<std::string> userId;
    if (prompt.RunModal(Handle()) == IDOK) userId = prompt.UserId();
    session_.OnIdPromptClosed(userId);
}

INT_PTR LobbyDialog::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    if (background_) background_->Paint(dc, 0, 0);
    if (IsIconic(Handle())) {
        RECT client;
        GetClientRect(Handle(), &client);
        int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, icon_);
    }
    EndPaint(Handle(), &paint);
    return TRUE;
}

INT_PTR LobbyDialog::OnControlColor(WPARAM dc, LPARAM control) {
    if (!IsBlackControl(GetDlgCtrlID(reinterpret_cast<HWND>(control)))) return FALSE;
    auto context = reinterpret_cast<HDC>(dc);
    SetBkColor(context, RGB(0, 0, 0));
    SetTextColor(context, RGB(255, 255, 255));
    return reinterpret_cast<INT_PTR>(blackBrush_);
}

INT_PTR LobbyDialog::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != kAboutCommand) return FALSE;
    win::Dialog about(IDD_ABOUT);
    about.RunModal(Handle());
    return TRUE;
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
    HWND list = Item(IDC_CHAT_LIST);
    LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(line).c_str()));
    if (makeCurrent && index >= 0) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void LobbyDialog::SetCaption(std::string_view caption) { win::Dialog::SetCaption(caption); }

void LobbyDialog::ShowMessage(std::string_view text, std::string_view caption, lobby::MessageIcon icon) {
    win::ShowMessage(Handle(), text, caption, MB_OK | IconFlags(icon));
}
