// Where the lobby's chat server is: the "[CHATADDR]" line of position.ini.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace lobby {

// The host field of the line is held in 30 bytes, terminator included.
inline constexpr std::size_t kServerHostSize = 30;

struct ChatServerAddress {
    std::string host;  // name or dotted address; empty when none was configured
    int port = 0;
};

// The first "[CHATADDR] host port" line counts; reading stops there. A host
// longer than the field is refused rather than cut into another name.
ChatServerAddress ReadChatServerAddress(const std::filesystem::path& positionIni);

} // namespace lobby
