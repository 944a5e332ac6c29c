// The memo dialogs: writing a memo to one user (template 132) and showing
// one that arrived (template 133).
#pragma once

#include "common/win32/dialog.h"

#include <string>

class MemoSendDialog : public win::Dialog {
public:
    explicit MemoSendDialog(std::string recipient);
    const std::string& Text() const { return text_; }

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    void OnOK() override;

private:
    std::string recipient_;
    std::string text_;
};

class MemoReceivedDialog : public win::Dialog {
public:
    MemoReceivedDialog(std::string sender, std::string text);

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    void OnOK() override;

private:
    std::string sender_;
    std::string text_;
};
