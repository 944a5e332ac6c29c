// What a message from the chat server means, recognised by the first
// matching rule in a fixed order. Anything unknown is a chat line.
#pragma once

#include "client/protocol/room_row.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lobby {

namespace message {
struct Ignored {};
struct Memo { std::string sender, text; };
struct Info { std::string text; };
struct RoomListCleared {};
struct RoomList { std::vector<RoomRow> rows; };
struct RoomMembers { std::vector<std::string> ids; };
struct UserList { std::vector<std::string> ids; };
struct ClientAddress { std::string address; };
struct YouAreHost {};
struct HostGameStart {};
struct RoomNumber { int number; };
struct LoginReply { bool accepted; };
struct JoinReply { bool yes; bool hasGame; std::string gameName; int gameKind; };
struct ChatLine { std::string text; };
} // namespace message

using ServerMessage = std::variant<message::Ignored, message::Memo, message::Info, message::RoomListCleared,
                                   message::RoomList, message::RoomMembers, message::UserList, message::ClientAddress,
                                   message::YouAreHost, message::HostGameStart, message::RoomNumber,
                                   message::LoginReply, message::JoinReply, message::ChatLine>;

// The address kept from "CLIENT_IP_ADDRESS^" holds at most 35 characters.
inline constexpr std::size_t kClientAddressMaxBytes = 35;

// Fields split on carets as strtok does: runs of carets are one separator.
std::vector<std::string> SplitTokens(std::string_view text);

ServerMessage ParseServerMessage(std::string_view text);

} // namespace lobby
