#include "client/win32/memo_dialogs.h"

#include "common/win32/byte_limited_edit.h"
#include "common/cp949.h"
#include "client/win32/hand_cursor_button.h"
#include "common/win32/message_box.h"
#include "client/lobby_session.h"
#include "client/protocol/outgoing_messages.h"
#include "resource.h"

namespace {

// Enter runs the checks of OK; Escape does nothing, so only the buttons close.
bool FilterKeys(MSG& msg, win::Dialog& dialog) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_ESCAPE) return true;
    if (msg.wParam != VK_RETURN) return false;
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
}

bool RefuseCaret(HWND owner, const std::string& text) {
    if (!cp949::HasCaret(text)) return false;
    win::ShowMessage(owner, cp949::kCaretRefusal, win::kNoticeCaption, MB_OK | MB_ICONSTOP);
    return true;
}

void AttachHandCursors(win::Dialog& dialog) {
    HandCursorButton::Attach(dialog.Item(IDOK));
    HandCursorButton::Attach(dialog.Item(IDCANCEL));
}

} // namespace

MemoSendDialog::MemoSendDialog(std::string recipient) : win::Dialog(IDD_MEMO_SEND), recipient_(std::move(recipient)) {}

bool MemoSendDialog::OnInitDialog() {
    SetCaption(recipient_ + "에게 쪽지를 보낼래요..");
    // The whole line must fit one block: the text is held to what is left.
    win::LimitEditBytes(Item(IDC_MEMO_TEXT), lobby::outgoing::MaxMemoTextBytes(recipient_));
    AttachHandCursors(*this);
    return true;
}

bool MemoSendDialog::PreTranslateMessage(MSG& msg) { return FilterKeys(msg, *this); }

void MemoSendDialog::OnOK() {
    text_ = ItemText(IDC_MEMO_TEXT);
    if (RefuseCaret(Handle(), text_)) return;
    End(IDOK);
}

MemoReceivedDialog::MemoReceivedDialog(std::string sender, std::string text)
    : win::Dialog(IDD_MEMO_RECEIVED), sender_(std::move(sender)), text_(std::move(text)) {}

bool MemoReceivedDialog::OnInitDialog() {
    SetCaption(sender_ + lobby::kMemoFromSuffix);
    SetItemText(IDC_RECEIVED_TEXT, text_);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    AttachHandCursors(*this);
    return true;
}

bool MemoReceivedDialog::PreTranslateMessage(MSG& msg) { return FilterKeys(msg, *this); }

void MemoReceivedDialog::OnOK() {
    if (RefuseCaret(Handle(), ItemText(IDC_RECEIVED_TEXT))) return;
    End(IDOK);
}
