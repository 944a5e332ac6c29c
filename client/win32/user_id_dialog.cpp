#include "client/win32/user_id_dialog.h"

#include "common/win32/byte_limited_edit.h"
#include "common/cp949.h"
#include "client/win32/hand_cursor_button.h"
#include "common/win32/message_box.h"
#include "resource.h"
#include "client/user_id.h"

UserIdDialog::UserIdDialog() : win::Dialog(IDD_USER_ID) {
    OnCommand(IDC_USER_ID, EN_CHANGE, [this] { userId_ = ItemText(IDC_USER_ID); });
}

bool UserIdDialog::OnInitDialog() {
    win::LimitEditBytes(Item(IDC_USER_ID), lobby::kUserIdMaxBytes);
    HandCursorButton::Attach(Item(IDOK));
    HandCursorButton::Attach(Item(IDCANCEL));
    return true;
}

bool UserIdDialog::PreTranslateMessage(MSG& msg) {
    // Only the buttons close this dialog.
    return msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
}

void UserIdDialog::OnOK() {
    switch (lobby::CheckUserId(userId_)) {
    case lobby::UserIdCheck::TooShort:
        win::ShowMessage(Handle(), lobby::kUserIdTooShort, win::kNoticeCaption, MB_OK | MB_ICONSTOP);
        return;
    case lobby::UserIdCheck::HasCaret:
        win::ShowMessage(Handle(), cp949::kCaretRefusal, win::kNoticeCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    case lobby::UserIdCheck::Accepted:
        End(IDOK);
        return;
    }
}
