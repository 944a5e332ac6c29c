// The lobby's chat input line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lobby {

inline constexpr std::size_t kChatInputMaxBytes = 60;
inline constexpr std::size_t kRoomChatInputMaxBytes = 150;

// The line sent for typed text: the chat prefix, one blank, the text (an
// empty input still sends the prefix and the blank). nullopt when the text
// holds "^", which would break the server's field splitting.
std::optional<std::string> ChatLineFor(std::string_view chatPrefix, std::string_view text);

} // namespace lobby
