// Starts a room's game on this computer for the lobby session.
#pragma once

#include <windows.h>

#include "game_launcher.h"

class LobbyGameLauncher : public lobby::GameLauncher {
public:
    explicit LobbyGameLauncher(HWND owner) : owner_(owner) {}

    // StarCraft goes through the gateway launch; the other kinds have no
    // launcher in this program and start nothing.
    lobby::LaunchResult Launch(int kind, std::string_view gameName, std::string_view hostAddress) override;

private:
    HWND owner_;
};
