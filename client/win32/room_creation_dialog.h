// The room-creation dialog (template 130): title, member count and game of a
// new room.
#pragma once

#include "common/win32/dialog.h"
#include "client/room_creation.h"

#include <string>
#include <vector>

class RoomCreationDialog : public win::Dialog {
public:
    // applications: the DirectPlay applications in the lobby's order;
    // registeredGames: the names from the other-games file.
    RoomCreationDialog(std::vector<std::string> applications, std::vector<std::string> registeredGames);

    const std::string& Title() const { return title_; }
    unsigned Members() const { return members_; }
    int SelectedIndex() const { return selectedIndex_; }
    const std::string& SelectedGameName() const { return selectedGameName_; }

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    void OnOK() override;
    void OnDestroy() override;

private:
    bool ReadFields();
    std::string EntryText(int index) const;

    lobby::GameChoices choices_;
    std::string title_;
    unsigned members_ = lobby::kDefaultMembers;
    int selectedIndex_ = 0;
    std::string selectedGameName_;
};
