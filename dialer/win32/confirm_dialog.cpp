#include "dialer/win32/confirm_dialog.h"

#include "common/notice.h"
#include "common/win32/message_box.h"
#include "dialer/message_file.h"
#include "resource.h"

ConfirmDialog::ConfirmDialog(std::string_view title, std::string_view text, std::filesystem::path messages)
    : win::Dialog(IDD_CONFIRM), title_(title), text_(text), messages_(std::move(messages)) {
    OnClick(IDC_DONT_ASK, [this] { StoreDontAsk(); });
}

bool ConfirmDialog::OnInitDialog() {
    SetCaption(title_);
    SetItemText(IDC_CONFIRM_TEXT, text_);
    return true;
}

void ConfirmDialog::StoreDontAsk() {
    // Kept at once, whether the user then connects or not.
    bool on = ItemChecked(IDC_DONT_ASK);
    if (!dialer::SetSkipsQuestion(messages_, title_, on)) {
        win::ShowMessage(Handle(), dialer::kMessageFileUnwritable, notice::kCaption, MB_OK | MB_ICONQUESTION);
    }
}
