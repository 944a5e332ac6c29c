// Starts a room's game on this computer for the lobby session.
#pragma once

#include <windows.h>

#include "game_launcher.h"

class LobbyGameLauncher : public lobby::GameLauncher {
public:
    explicit LobbyGameLauncher(HWND owner) : owner_(owner) {}

    // StarCraft goes through the gateway launch; a registered game is chosen
    // by the user in the game selection dialog. DirectPlay games have no
    // launcher in this program and start nothing.
    lobby::LaunchResult Launch(int kind, std::string_view gameName, std::string_view hostAddress) override;

private:
    lobby::LaunchResult LaunchStarCraft();
    void ChooseAndLaunchRegisteredGame(std::string_view hostAddress);

    HWND owner_;
};
