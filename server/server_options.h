// The lobby server's command line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace lobby_server {

struct ServerOptions {
    // The chat port of the sample config/position.ini.
    std::uint16_t port = 9400;
    std::string bind = "0.0.0.0";
    unsigned idleTimeoutSeconds = 540;
    std::size_t maxConnections = 1000;
    bool help = false;
};

inline constexpr const char* kUsage =
    "usage: lobby-server [--port PORT] [--bind ADDRESS] [--idle-timeout SECONDS] [--max-connections COUNT]\n"
    "  --port             TCP port to listen on (default 9400; 0 picks a free one)\n"
    "  --bind             local address to listen on (default 0.0.0.0, every interface)\n"
    "  --idle-timeout     drop a client silent this long (default 540: three missed keep-alives)\n"
    "  --max-connections  refuse connections beyond this many (default 1000)\n";

// The options, or the reason they cannot be used.
std::variant<ServerOptions, std::string> ParseOptions(const std::vector<std::string>& arguments);

} // namespace lobby_server
