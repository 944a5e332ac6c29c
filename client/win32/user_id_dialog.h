// The ID entry dialog (template 129): asks for the lobby ID before login.
#pragma once

#include "common/win32/dialog.h"

#include <string>

class UserIdDialog : public win::Dialog {
public:
    UserIdDialog();
    const std::string& UserId() const { return userId_; }

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    void OnOK() override;

private:
    std::string userId_;
};
