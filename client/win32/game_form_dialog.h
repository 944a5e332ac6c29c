// The registration form of one other game (template 141): its name, the
// directory of its executable and the executable's file name.
#pragma once

#include "common/win32/dialog.h"
#include "client/games/game_records.h"
#include "client/games/game_registration.h"

#include <string>

class GameFormDialog : public win::Dialog {
public:
    // previousName: in modify mode the name of the record being changed.
    GameFormDialog(lobby::GameFormMode mode, std::string previousName);

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    void OnOK() override;

private:
    void CheckLength(int id, lobby::GameField field);
    void Browse();
    lobby::GameRecord Form() const;
    void Refuse(lobby::GameFormCheck check);

    lobby::GameFormMode mode_;
    std::string previousName_;
};
