// The registration list of other games (template 157): the registered games
// with buttons to add, modify and delete them.
#pragma once

#include "common/win32/dialog.h"

#include <string>

class GameRegistryDialog : public win::Dialog {
public:
    GameRegistryDialog();

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;

private:
    void Reload();
    void Add();
    void Modify();
    void Delete();
    bool HasSelection() const;

    int selectedRow_ = -1;
    std::string selectedName_;
};
