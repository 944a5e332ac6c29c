#include "gatelog/win32/add_server_dialog.h"

#include <utility>

#include "common/win32/byte_limited_edit.h"
#include "common/win32/message_box.h"
#include "gatelog/new_server.h"
#include "resource.h"

namespace gatelog {

AddServerDialog::AddServerDialog(std::filesystem::path file) : Dialog(IDD_ADD_SERVER), file_(std::move(file)) {}

bool AddServerDialog::OnInitDialog() {
    win::LimitEditBytes(Item(IDC_SERVER_NAME), kMaxNameBytes);
    win::LimitEditBytes(Item(IDC_SERVER_ADDRESS), kMaxAddressBytes);
    return true;
}

void AddServerDialog::OnOK() {
    ServerEntry entry = CleanNewServer(ItemText(IDC_SERVER_NAME), ItemText(IDC_SERVER_ADDRESS));
    if (auto refusal = RefuseNewServer(entry, file_)) {
        win::ShowMessage(Handle(), *refusal, win::kNoticeCaption);
        return;
    }
    // A failed store is reported, and the row is still shown until the next start.
    if (auto failure = StoreFailureText(AppendServerRecord(file_, entry.name, entry.address))) {
        win::ShowMessage(Handle(), *failure, win::kNoticeCaption);
    }
    entry_ = std::move(entry);
    End(IDOK);
}

} // namespace gatelog
