// Starting a room's game on this computer, by the room's game kind.
#pragma once

#include <string_view>

namespace lobby {

// A launch that failed in a way the user was told about takes the user out
// of the room.
enum class LaunchResult { kStayInRoom, kLeaveRoom };

class GameLauncher {
public:
    virtual ~GameLauncher() = default;

    // kind: 1 StarCraft, 2 the DirectPlay application selected in the lobby's
    // list, 3 a registered game chosen by the user. hostAddress is the address
    // text the server sent for the room.
    virtual LaunchResult Launch(int kind, std::string_view gameName, std::string_view hostAddress) = 0;
};

} // namespace lobby
