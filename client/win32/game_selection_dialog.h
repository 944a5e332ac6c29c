// The game selection at the start of a registered-game room (template 144):
// the registered games and the host's address to type into the game.
#pragma once

#include "common/win32/dialog.h"

#include <string>

class GameSelectionDialog : public win::Dialog {
public:
    explicit GameSelectionDialog(std::string hostAddress);

    // The last row whose state changed; -1 when none ever did.
    int SelectedRow() const { return selectedRow_; }

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;

private:
    std::string hostAddress_;
    int selectedRow_ = -1;
};
