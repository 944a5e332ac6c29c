#include "dialer/win32/connector_dialog.h"

#include "common/win32/main_window.h"
#include "common/win32/message_box.h"
#include "common/win32/program_path.h"
#include "common/hand_off_contract.h"
#include "common/win32/program_starter.h"
#include "common/win32/text.h"
#include "dialer/connector_messages.h"
#include "dialer/dial_progress.h"
#include "dialer/win32/client_program.h"
#include "dialer/win32/confirm_dialog.h"
#include "dialer/win32/connector_help.h"
#include "dialer/win32/settings_dialog.h"
#include "resource.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

// Controls of the skin's parts, in the order of dialer::SkinPartIndex.
constexpr std::array<int, dialer::kSkinPartCount - 1> kPartControls{IDC_HELP_CLIP, IDC_CONNECT, IDC_SETTINGS,
                                                                    IDC_HANG_UP, IDC_QUIT};
constexpr std::array<int, 7> kLamps{IDC_LAMP_OPEN_PORT,    IDC_LAMP_CONNECT_DEVICE,  IDC_LAMP_ALL_DEVICES,
                                    IDC_LAMP_CONNECTED,    IDC_LAMP_UPDATER,         IDC_LAMP_UPDATER_STARTED,
                                    IDC_LAMP_LAUNCHED};
static_assert(IDC_LAMP_OPEN_PORT == dialer::kLampOpenPort && IDC_LAMP_CONNECT_DEVICE == dialer::kLampConnectDevice &&
              IDC_LAMP_ALL_DEVICES == dialer::kLampAllDevices && IDC_LAMP_CONNECTED == dialer::kLampConnected &&
              IDC_LAMP_UPDATER == dialer::kLampUpdater && IDC_LAMP_UPDATER_STARTED == dialer::kLampUpdaterStarted &&
              IDC_LAMP_LAUNCHED == dialer::kLampLaunched);
static_assert(IDC_CONNECT == dialer::kConnectButtonId);
constexpr WORD kNoControlId = 0xFFFF;
// Polls the updater's status once the line is up.
constexpr UINT_PTR kHandOffTimer = 1029;

dialer::ConnectorFiles InstalledFiles() {
    std::filesystem::path directory = win::ProgramFile("");
    directory = directory.parent_path();  // ProgramFile("") ends in a separator
    return dialer::ConnectorFiles(directory, win::Narrow(directory.native()));
}

UINT IconFlags(dialer::MessageIcon icon) {
    switch (icon) {
    case dialer::MessageIcon::kInformation: return MB_ICONINFORMATION;
    case dialer::MessageIcon::kExclamation: return MB_ICONEXCLAMATION;
    case dialer::MessageIcon::kStop: return MB_ICONSTOP;
    case dialer::MessageIcon::kQuestion: return MB_ICONQUESTION;
    case dialer::MessageIcon::kNone: break;
    }
    return 0;
}

std::filesystem::path SkinFile(const std::optional<dialer::SkinPart>& part) {
    return win::ProgramFile(part ? part->file : std::string());
}

} // namespace

ConnectorDialog::ConnectorDialog()
    : win::MainDialog(IDD_CONNECTOR, {IDI_CONNECTOR, IDM_ABOUT, IDS_ABOUT_MENU, IDD_ABOUT}),
      connector_(InstalledFiles(), ras_, system_, *this) {
    OnMessage(WM_LBUTTONDOWN, [this](WPARAM, LPARAM) {
        // The whole body is the window's caption.
        POINT point;
        GetCursorPos(&point);
        PostMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
        return TRUE;
    });
    OnMessage(WM_RBUTTONUP, [](WPARAM, LPARAM) { return TRUE; });
    OnMessage(WM_CONTEXTMENU, [this](WPARAM, LPARAM point) {
        ShowItemMenu(point);
        return TRUE;
    });
    OnMessage(WM_SKIN_HOVER, [this](WPARAM report, LPARAM point) {
        if (connector_.HoverOpensItemMenu(static_cast<unsigned>(report))) {
            SendMessageW(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), point);
        }
        return TRUE;
    });
    OnMessage(WM_SKIN_HOVER_INSIDE, [](WPARAM, LPARAM) { return TRUE; });
    OnMessage(WM_CLOSE, [this](WPARAM, LPARAM) {
        Quit();
        return TRUE;
    });
    OnMessage(ras95::WM_RASDIALEVENT, [this](WPARAM state, LPARAM error) {
        connector_.OnRasDialEvent(static_cast<std::uint32_t>(state), static_cast<std::uint32_t>(error));
        return TRUE;
    });
    OnTimer(kHandOffTimer, [this] { PollHandOff(); });
    OnClick(IDC_CONNECT, [this] { connector_.OnConnectButton(); });
    OnClick(IDC_HANG_UP, [this] { connector_.OnHangUpButton(); });
    OnClick(IDC_SETTINGS, [this] { OnSettings(); });
    OnClick(IDC_HELP_CLIP, [this] { OpenHelp(""); });
    for (int quit : {IDC_QUIT, IDC_CLOSE}) {
        OnClick(quit, [this] { Quit(); });
    }
    OnClick(IDC_MINIMIZE, [this] { Minimize(); });
}

bool ConnectorDialog::OnInitDialog() {
    MainDialog::OnInitDialog();
    SetCaption(dialer::text::kProgramTitle);
    help_.Attach(Item(IDC_HELP_CLIP));
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i].Attach(Item(kPartControls[i + 1]));
    if (connector_.StartUp() == dialer::StartOutcome::kEnd) {
        End(IDOK);
        return false;
    }
    return true;
}

bool ConnectorDialog::PreTranslateMessage(MSG& message) {
    return message.message == WM_KEYDOWN && message.wParam == VK_RETURN;
}

bool ConnectorDialog::Message(std::string_view text, std::string_view caption, dialer::MessageIcon icon,
                              bool withCancel) {
    UINT buttons = withCancel ? MB_OKCANCEL : MB_OK;
    return win::ShowMessage(Handle(), text, caption, buttons | IconFlags(icon)) == IDOK;
}

void ConnectorDialog::OpenHelp(std::string_view keyword) { ShowConnectorHelp(Handle(), keyword); }

void ConnectorDialog::StartCommand(std::string_view command) { win::StartCommand(command, SW_SHOWDEFAULT); }

void ConnectorDialog::ApplySkin(const dialer::SkinLayout& layout) {
    if (layout.read) {
        for (std::size_t i = 0; i < kPartControls.size(); ++i) {
            if (const auto& part = layout.parts[i]) {
                SetWindowPos(Item(kPartControls[i]), nullptr, part->x, part->y, part->width, part->height,
                             SWP_NOZORDER | SWP_SHOWWINDOW);
            }
        }
        if (const auto& window = layout.parts[dialer::kWindowPart]) {
            SetWindowPos(Handle(), nullptr, 0, 0, window->width, window->height, SWP_NOMOVE | SWP_NOZORDER);
        }
    }
    background_ = std::make_unique<win::DibBitmap>(SkinFile(layout.parts[dialer::kWindowPart]), Handle(),
                                                   dialer::text::kProgramTitle);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i].SetPicture(SkinFile(layout.parts[dialer::kConnectPart + i]), Handle());
    }
    help_.SetClip(SkinFile(layout.parts[dialer::kHelpPart]));
    // Always at the top-left corner, above every other window.
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
    HideLamps();
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

void ConnectorDialog::PrepareWindow() {
    RasLibrary::SetNotifyTarget(Handle());
    // Every control's tooltip is the string resource of its id.
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(child);
        if (static_cast<WORD>(id) == kNoControlId) continue;
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        // A tip under the pointer lets clicks through to the control.
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(child);
        tool.hinst = GetModuleHandleW(nullptr);
        tool.lpszText = MAKEINTRESOURCEW(id);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

void ConnectorDialog::HideLamps() {
    for (int lamp : kLamps) ShowItem(lamp, false);
    UpdateWindow(Handle());
}

void ConnectorDialog::ShowLamp(int lamp) {
    ShowItem(lamp, true);
    UpdateWindow(Handle());
}

bool ConnectorDialog::ConfirmConnect(std::string_view item, std::string_view question) {
    ConfirmDialog confirm(item, question, connector_.Files().Messages());
    return confirm.RunModal(Handle()) == IDOK;
}

std::optional<std::string> ConnectorDialog::ChooseClientProgram(std::string_view item) {
    return ::ChooseClientProgram(Handle(), item);
}

void ConnectorDialog::ShowProgress(int textId) {
    // The taskbar button tells the dial's progress.
    wchar_t text[64] = L"";
    if (textId == 0 || LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(textId), text, 64) <= 0) {
        SetCaption(dialer::text::kProgramTitle);
        return;
    }
    SetWindowTextW(Handle(), text);
}

void ConnectorDialog::StartUpdater() {
    // Quoted: the program directory may hold blanks.
    updater_ = win::StartProcess(L"\"" + win::ProgramFile("Update.exe").native() + L"\"", SW_HIDE, L"");
    // An updater that did not start ends the poll at its first tick.
    SetTimer(Handle(), kHandOffTimer, hand_off::kEndTransferPollMs, nullptr);
}

void ConnectorDialog::PollHandOff() {
    switch (connector_.PollHandOff(win::ProcessEnded(updater_))) {
    case dialer::HandOffStep::kWait: return;
    case dialer::HandOffStep::kClose: PostMessageW(Handle(), WM_CLOSE, 0, 0); break;
    case dialer::HandOffStep::kDone: break;
    }
    KillTimer(Handle(), kHandOffTimer);
    updater_.reset();
}

bool ConnectorDialog::StartProgram(std::string_view command, dialer::ProgramWindow window,
                                   std::string_view directory) {
    int show = window == dialer::ProgramWindow::kShow ? SW_SHOW : SW_SHOWDEFAULT;
    return win::StartProcess(win::Widen(command), show, win::Widen(directory)) != nullptr;
}

bool ConnectorDialog::OpenAddress(std::string_view address) {
    auto result = ShellExecuteW(Handle(), L"open", win::Widen(address).c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void ConnectorDialog::Minimize() { ShowWindow(Handle(), SW_MINIMIZE); }

bool ConnectorDialog::OnPaint() {
    win::PaintWindow(Handle(), background_.get());
    return true;
}

void ConnectorDialog::ShowItemMenu(LPARAM screenPoint) {
    auto plan = connector_.PrepareItemMenu();
    if (!plan || !plan->show) return;
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ITEM_MENU));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    for (std::size_t i = 0; i < plan->entries.size(); ++i) {
        int command = dialer::kFirstItemCommand + static_cast<int>(i);
        AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(command), win::Widen(plan->entries[i]).c_str());
        OnClick(command, [this, i] { connector_.ConnectItem(static_cast<int>(i) + 1); });
    }
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, static_cast<short>(LOWORD(screenPoint)),
                   static_cast<short>(HIWORD(screenPoint)), 0, Handle(), nullptr);
    DestroyMenu(menu);
}

void ConnectorDialog::OnSettings() {
    auto referenceChoice = connector_.SettingsNumberChoice();
    if (!referenceChoice) return;
    SettingsDialog settings(connector_, ras_, *referenceChoice);
    int choice = static_cast<int>(settings.RunModal(Handle()));
    connector_.ApplyNumberChoice(choice);
}

void ConnectorDialog::Quit() {
    connector_.HangUpOnQuit();
    End(IDOK);
}
