// Starts a room's game on this computer for the lobby session.
#pragma once

#include <windows.h>

#include "client/win32/direct_play_games.h"
#include "client/games/game_launcher.h"

class LobbyGameLauncher : public lobby::GameLauncher {
public:
    LobbyGameLauncher(HWND owner, DirectPlayGames& directPlay) : owner_(owner), directPlay_(directPlay) {}

    // StarCraft goes through the gateway launch; a DirectPlay game through the
    // DirectPlay lobby, silently; a registered game is chosen by the user in
    // the game selection dialog.
    lobby::LaunchResult Launch(lobby::GameKind kind, std::string_view gameName, std::string_view hostAddress,
                               bool host) override;

private:
    lobby::LaunchResult LaunchStarCraft();
    void ChooseAndLaunchRegisteredGame(std::string_view hostAddress);

    HWND owner_;
    DirectPlayGames& directPlay_;
};
