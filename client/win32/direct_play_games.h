// The lobby window's DirectPlay lobby object and its two hidden lists
// (applications 1023, service providers 1024), and the launch of the
// selected application from the window's hidden fields.
#pragma once

#include "client/win32/direct_play_lobby_object.h"
#include "client/win32/guid_combo_list.h"

#include <windows.h>

#include <memory>

class DirectPlayGames {
public:
    // window: the lobby window that holds the lists and fields.
    explicit DirectPlayGames(HWND window);

    // Builds the lobby object and fills both lists; 0 or the failing result.
    dplay::Result CreateLobby();
    // Frees the lists' data, empties them and releases the lobby object.
    void ReleaseLobby();
    // Fresh lists for the next room, the preferred provider selected again.
    void Renew();

    // host: create the session under the room title rather than join it.
    // The outcome shows in the hidden status field only.
    void Launch(bool host);

private:
    HWND window_;
    GuidComboList applications_;
    GuidComboList providers_;
    std::unique_ptr<DirectPlayLobbyObject> lobby_;
};
