// Starting a room's game on this computer, by the room's game kind.
#pragma once

#include "client/games/game_kind.h"

#include <string_view>

namespace lobby {

// A launch that failed in a way the user was told about takes the user out
// of the room.
enum class LaunchResult { kStayInRoom, kLeaveRoom };

class GameLauncher {
public:
    virtual ~GameLauncher() = default;

    // A DirectPlay game is the application selected in the lobby's list; a
    // registered game is chosen by the user. hostAddress is the address text
    // the server sent for the room; host: this user hosts the room.
    virtual LaunchResult Launch(GameKind kind, std::string_view gameName, std::string_view hostAddress, bool host) = 0;
};

} // namespace lobby
