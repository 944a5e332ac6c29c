#include "client/win32/room_creation_dialog.h"

#include "common/win32/byte_limited_edit.h"
#include "common/win32/combo_box.h"
#include "common/cp949.h"
#include "client/win32/hand_cursor_button.h"
#include "common/win32/message_box.h"
#include "client/program_title.h"
#include "resource.h"
#include "common/win32/text.h"

#include <charconv>

namespace {
// The field validation's own messages.
constexpr const char* kNotANumber = "양의 정수를 입력하십시오.";
constexpr const char* kMembersOutOfRange = "2에서 12 사이의 정수를 입력하십시오.";

bool ParseUnsigned(std::string_view text, unsigned& out) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}
} // namespace

RoomCreationDialog::RoomCreationDialog(std::vector<std::string> applications, std::vector<std::string> registeredGames)
    : win::Dialog(IDD_ROOM_CREATION), choices_(lobby::BuildGameChoices(applications, registeredGames)) {
    OnSelectionChange(IDC_GAME_CHOICES, [this] {
        selectedIndex_ = static_cast<int>(SendMessageW(Item(IDC_GAME_CHOICES), CB_GETCURSEL, 0, 0));
    });
}

bool RoomCreationDialog::OnInitDialog() {
    win::LimitEditBytes(Item(IDC_ROOM_TITLE), lobby::kRoomTitleMaxBytes);
    SetItemText(IDC_MEMBER_COUNT, std::to_string(members_));
    HWND combo = Item(IDC_GAME_CHOICES);
    for (const auto& entry : choices_.entries) win::combo_box::AddEntry(combo, entry);
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    selectedIndex_ = 0;
    HandCursorButton::Attach(Item(IDOK));
    HandCursorButton::Attach(Item(IDCANCEL));
    return true;
}

std::string RoomCreationDialog::EntryText(int index) const {
    return win::combo_box::EntryText(Item(IDC_GAME_CHOICES), index);
}

bool RoomCreationDialog::ReadFields() {
    title_ = ItemText(IDC_ROOM_TITLE);
    unsigned members = 0;
    if (!ParseUnsigned(ItemText(IDC_MEMBER_COUNT), members)) {
        win::ShowMessage(Handle(), kNotANumber, kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
        SetFocus(Item(IDC_MEMBER_COUNT));
        return false;
    }
    members_ = members;
    if (members_ < lobby::kMinMembers || members_ > lobby::kMaxMembers) {
        win::ShowMessage(Handle(), kMembersOutOfRange, kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
        SetFocus(Item(IDC_MEMBER_COUNT));
        return false;
    }
    return true;
}

bool RoomCreationDialog::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_ESCAPE) return true;
    if (msg.wParam != VK_RETURN) return false;
    // A dropped-down game list takes Enter to close itself.
    if (SendMessageW(Item(IDC_GAME_CHOICES), CB_GETDROPPEDSTATE, 0, 0)) return false;
    if (cp949::HasCaret(ItemText(IDC_ROOM_TITLE))) {
        win::ShowMessage(Handle(), cp949::kCaretRefusal, win::kNoticeCaption, MB_OK | MB_ICONSTOP);
        return true;
    }
    OnOK();
    return true;
}

void RoomCreationDialog::OnOK() {
    if (!ReadFields()) return;
    selectedGameName_ = EntryText(selectedIndex_);
    switch (lobby::CheckRoom(title_, selectedGameName_, members_)) {
    case lobby::RoomCheck::NoGame:
        win::ShowMessage(Handle(), lobby::kNoGameChosen, win::kNoticeCaption, MB_OK | MB_ICONSTOP);
        return;
    case lobby::RoomCheck::TitleTooShort:
        win::ShowMessage(Handle(), lobby::kRoomTitleTooShort, win::kNoticeCaption, MB_OK | MB_ICONSTOP);
        return;
    case lobby::RoomCheck::TitleHasCaret:
        win::ShowMessage(Handle(), cp949::kCaretRefusal, win::kNoticeCaption, MB_OK | MB_ICONSTOP);
        return;
    case lobby::RoomCheck::MembersOutOfRange:
        return;
    case lobby::RoomCheck::Accepted:
        End(IDOK);
        return;
    }
}

void RoomCreationDialog::OnDestroy() { selectedGameName_ = EntryText(selectedIndex_); }
