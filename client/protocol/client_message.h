// What a message from a lobby client means, as the chat server reads it.
// The counterpart of outgoing_messages.h: every form built there parses here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace lobby {

namespace request {
struct Login { std::string userId; };
struct Alive {};
struct Chat { std::string line; };
struct NewRoom { std::string title; int capacity; int gameKind; std::string gameName; };
struct Join { int roomNumber; };
struct Leave {};
struct Memo { std::string recipient, text; };
struct HostGameStart {};
// A known keyword whose fields are missing, empty, hold a caret or are no number.
struct Malformed { std::string keyword; };
struct Unknown {};
} // namespace request

using ClientMessage = std::variant<request::Login, request::Alive, request::Chat, request::NewRoom, request::Join,
                                   request::Leave, request::Memo, request::HostGameStart, request::Malformed,
                                   request::Unknown>;

// The text of a received block: everything before its first NUL, or nothing
// when the block holds no NUL (a message longer than a block allows).
std::optional<std::string_view> TextOfBlock(std::string_view block);

// Fields are split exactly at each caret, so a field that would hide a caret
// or be empty makes the whole message malformed: what a client sends here is
// relayed to others, who split it again with runs of carets as one.
ClientMessage ParseClientMessage(std::string_view text);

} // namespace lobby
