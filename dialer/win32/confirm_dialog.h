// The question before connecting an item (template 236): the item's name as
// title, its question as text, and a check that stops asking for this item.
#pragma once

#include "common/win32/dialog.h"

#include <filesystem>
#include <string>
#include <string_view>

class ConfirmDialog : public win::Dialog {
public:
    // messages: "message.ini", where the check is kept under the title.
    ConfirmDialog(std::string_view title, std::string_view text, std::filesystem::path messages);

protected:
    bool OnInitDialog() override;

private:
    void StoreDontAsk();

    std::string title_;
    std::string text_;
    std::filesystem::path messages_;
};
