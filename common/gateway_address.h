// The service's own Battle.net game server, from the "[GAMEADDR]" line of
// position.ini, as the gateway text the launch writes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/name_resolver.h"

namespace gateway {

inline constexpr std::string_view kGameAddressTag = "[GAMEADDR]";

// The gateway text of one "[GAMEADDR]" line: a dotted address, or empty when
// the line names no usable address. Four numbers after the tag are an address
// in themselves; anything else goes to the name service.
std::string GameAddressOfLine(std::string_view line, net::NameResolver& resolver);

// The last "[GAMEADDR]" line counts; empty when there is none.
std::string GameServerAddressFromLines(const std::vector<std::string>& lines, net::NameResolver& resolver);

// Empty also when the file cannot be read: StarCraft then keeps its official gateways.
std::string ReadGameServerAddress(const std::filesystem::path& positionFile, net::NameResolver& resolver);

} // namespace gateway
