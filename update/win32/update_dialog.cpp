#include "update/win32/update_dialog.h"

#include "common/hand_off_contract.h"
#include "common/win32/message_box.h"
#include "common/notice.h"
#include "common/win32/program_path.h"
#include "resource.h"
#include "common/win32/text.h"

#include <commctrl.h>

namespace {

constexpr UINT kChangeListDelayMs = 300;
// Plain message boxes carry the program's name.
constexpr const char* kProgramName = "Update";

const PercentProgressBar::Colours kBarColours{
    RGB(165, 206, 239),  // bar
    RGB(206, 231, 247),  // background
    RGB(100, 100, 100),  // text over the background
    RGB(0, 0, 255),      // text over the bar
};

// The drive root of the Windows the updater was made for, where it keeps
// the server's version file.
constexpr wchar_t kVersionProbe[] = L"c:\\ver";

update::UpdateFiles InstalledFiles() {
    return update::UpdateFiles(win::ProgramFile(""), kVersionProbe,
                               [](std::string_view text) { return std::filesystem::path(win::Widen(text)); });
}

} // namespace

UpdateDialog::UpdateDialog()
    : win::MainDialog(IDD_UPDATE, {IDI_UPDATE, IDM_ABOUT, IDS_ABOUT_MENU, IDD_ABOUT}),
      updater_(InstalledFiles(), ftp_, *this, launcher_, verifier_) {
    OnTimer(TIMER_CHANGE_LIST, [this] { Step(TIMER_CHANGE_LIST, &update::Updater::ApplyChangeList); });
    OnTimer(TIMER_RECEIVE, [this] { Step(TIMER_RECEIVE, &update::Updater::PollReceive); });
    OnTimer(TIMER_HELD_FILES, [this] { Step(TIMER_HELD_FILES, &update::Updater::ReplaceHeldFiles); });
}

bool UpdateDialog::OnInitDialog() {
    MainDialog::OnInitDialog();
    progress_ = PercentProgressBar::FromHandle(Item(IDC_PROGRESS));
    progress_->SetColours(kBarColours);
    progress_->SetPosition(0);
    progress_->SetStep(1);
    Follow(updater_.CheckForUpdate());
    return true;
}

void UpdateDialog::OnCancel() {
    if (waitingForGrant_) End(IDCANCEL);
}

void UpdateDialog::Follow(update::NextStep next) {
    switch (next) {
    case update::NextStep::kClose:
        End(IDOK);
        break;
    case update::NextStep::kApplyChangeList:
        SetTimer(Handle(), TIMER_CHANGE_LIST, kChangeListDelayMs, nullptr);
        break;
    case update::NextStep::kWaitForGrant:
        waitingForGrant_ = true;
        SetTimer(Handle(), TIMER_RECEIVE, hand_off::kReceivePollMs, nullptr);
        break;
    case update::NextStep::kReplaceHeldFiles:
        waitingForGrant_ = false;
        SetTimer(Handle(), TIMER_HELD_FILES, update::kHeldFileRetryMs, nullptr);
        break;
    }
}

void UpdateDialog::Step(UINT_PTR timer, update::NextStep (update::Updater::*step)()) {
    // Each step runs once per tick and says what comes next; the steps that
    // fetch handle messages meanwhile, so the timer goes first.
    KillTimer(Handle(), timer);
    Follow((updater_.*step)());
}

bool UpdateDialog::OfferUpdate(std::string_view text) {
    // Not ShowWindow: the connector starts us hidden, and the first ShowWindow
    // of such a program may take the starter's SW_HIDE in place of its own.
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(Handle());
    return win::ShowMessage(Handle(), text, notice::kCaption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void UpdateDialog::ShowMessage(std::string_view text) { win::ShowMessage(Handle(), text, kProgramName, MB_OK); }

void UpdateDialog::SetProgressRange(int lower, int upper) { progress_->SetRange(lower, upper); }

void UpdateDialog::StepProgress() {
    progress_->Step();
    ShowNow();
}

void UpdateDialog::SetFileText(std::string_view text) {
    SetItemText(IDC_FILE_TEXT, text);
    ShowNow();
}

void UpdateDialog::ShowNow() {
    // The transfers keep this thread from its message loop, and today's
    // Windows puts a frozen copy in place of a window whose thread has not
    // looked at its messages for five seconds. So the messages that arrived
    // meanwhile are handled here, between two files.
    UpdateWindow(Handle());
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (win::Dialog::RouteKeyboard(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void UpdateDialog::StartClip() {
    // The template's autoplay style plays the clip from the start, without end.
    SendMessageW(Item(IDC_CLIP), ACM_OPENW, 0,
                 reinterpret_cast<LPARAM>(win::ProgramFile("media/filecopy.avi").c_str()));
}

void UpdateDialog::StopClip() {
    SendMessageW(Item(IDC_CLIP), ACM_STOP, 0, 0);
    SendMessageW(Item(IDC_CLIP), ACM_OPENW, 0, 0);
}
