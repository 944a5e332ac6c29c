// Starts a room's game on this computer for the lobby session.
#pragma once

#include <windows.h>

#include "client/win32/direct_play_games.h"
#include "client/games/game_launcher.h"
#include "client/lobby_session.h"

class LobbyGameLauncher : public lobby::GameLauncher {
public:
    // session tells whether this user hosts the room.
    LobbyGameLauncher(HWND owner, DirectPlayGames& directPlay, const lobby::LobbySession& session)
        : owner_(owner), directPlay_(directPlay), session_(session) {}

    // StarCraft goes through the gateway launch; a DirectPlay game through the
    // DirectPlay lobby, silently; a registered game is chosen by the user in
    // the game selection dialog.
    lobby::LaunchResult Launch(int kind, std::string_view gameName, std::string_view hostAddress) override;

private:
    lobby::LaunchResult LaunchStarCraft();
    void ChooseAndLaunchRegisteredGame(std::string_view hostAddress);

    HWND owner_;
    DirectPlayGames& directPlay_;
    const lobby::LobbySession& session_;
};
