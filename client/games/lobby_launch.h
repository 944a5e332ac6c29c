// What the lobby reads from its configuration to start other programs: the
// gateway of a StarCraft room and the program behind the Internet button.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/gateway_launch.h"
#include "common/name_resolver.h"

namespace lobby {

// The lobby words the gateway launch's failures its own way; both end in
// leaving the room.
inline constexpr gateway::LaunchTexts kLobbyLaunchTexts{
    "디렉토리 생성 실패\n방을 빠져 나갑니다", "알림",
    "스타크래프트가 인스톨되지않았읍니다.\n방을 빠져 나갑니다", "알림"};

// The host word of a "[GAMEADDR]" line is held in a 32-byte buffer.
inline constexpr std::size_t kGatewayHostBufferSize = 32;
inline constexpr std::size_t kMaxGatewayHostBytes = kGatewayHostBufferSize - 1;

// The gateway text from position.ini's lines: the last "[GAMEADDR]" line's
// host word, as the dotted address the name service gives for it, or the word
// itself when the name service knows none. Empty without such a line, and for
// a line whose host word is missing or does not fit its buffer.
std::string LobbyGatewayText(const std::vector<std::string>& lines, net::NameResolver& resolver);

// filelist.ini: name "^" kind "^" description "^" command.
inline constexpr std::string_view kInternetKind = "internet";

// The command of the first "internet" line of filelist.ini; nullopt when no
// line is one or the first one names no command.
std::optional<std::string> InternetCommand(const std::vector<std::string>& lines);

} // namespace lobby
