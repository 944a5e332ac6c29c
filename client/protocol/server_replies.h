// The messages a chat server sends to the lobby clients: the counterpart of
// server_message.h, which parses every form built here.
#pragma once

#include "client/protocol/outgoing_messages.h"
#include "client/protocol/room_row.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lobby::reply {

inline constexpr const char* kYouAreHost = "YOU_ARE_HOST";
// The host's request, passed on to the members.
inline constexpr const char* kHostGameStart = outgoing::kHostGameStart;
inline constexpr const char* kNoRooms = "INIT_TREE";
inline constexpr const char* kLoginRefused = "FALSE";
inline constexpr const char* kLoginAccepted = "OK";
inline constexpr const char* kJoinRefused = "NO";

// Shorter messages of these kinds are ignored by the client.
inline constexpr std::size_t kClientAddressMinBytes = 30;
inline constexpr std::size_t kRoomNumberMinBytes = 14;

std::string LoginReply(bool accepted);
// Padded with a further field to the length the client needs before it reads the address.
std::string ClientAddress(std::string_view address);
std::string RoomNumber(int number);
std::string JoinAccepted(std::string_view gameName, int gameKind);
std::string JoinRefused();
std::string Memo(std::string_view sender, std::string_view text);
std::string Info(std::string_view text);
std::string RoomMembers(const std::vector<std::string>& ids);

// Lists hold as many whole entries, in order, as fit maxBytes.
std::string UserList(const std::vector<std::string>& ids, std::size_t maxBytes);
// Field 3 of a row is 0, field 4 the members present, field 5 the capacity;
// the last row that fits ends in "[END]". No room: "INIT_TREE".
std::string RoomList(const std::vector<RoomRow>& rows, std::size_t maxBytes);

} // namespace lobby::reply
