// The messages the lobby sends to the chat server.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lobby::outgoing {

inline constexpr const char* kAlive = "I_AM_ALIVE";
inline constexpr const char* kLeaveRoom = "TOP";
inline constexpr const char* kHostGameStart = "HOST_GAME_START";

std::string Login(std::string_view userId);
std::string NewRoom(std::string_view title, unsigned capacity, int gameKind, std::string_view gameName);
std::string Join(int roomNumber);
std::string Memo(std::string_view recipient, std::string_view text);
// The most bytes of memo text that still fit one block for this recipient.
std::size_t MaxMemoTextBytes(std::string_view recipient);

} // namespace lobby::outgoing
