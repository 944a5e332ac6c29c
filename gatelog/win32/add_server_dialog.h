// Dialog 129 "서버주소입력": the name and address of a new server. On "확인"
// it checks them, stores the entry and closes; after a refusal it stays open.
#pragma once

#include <filesystem>

#include "common/win32/dialog.h"
#include "gatelog/server_record.h"

namespace gatelog {

class AddServerDialog : public win::Dialog {
public:
    explicit AddServerDialog(std::filesystem::path file);

    // The entry as stored, once the dialog has closed with IDOK.
    const ServerEntry& Entry() const { return entry_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::filesystem::path file_;
    ServerEntry entry_;
};

} // namespace gatelog
