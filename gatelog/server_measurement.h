// One check of a server: its round trip, then its Battle.net port, as the
// text of the row's "네트웍상태" column.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/name_resolver.h"
#include "gatelog/ping_host.h"

namespace gatelog {

inline constexpr std::uint16_t kBattleNetPort = 6112;

inline constexpr std::string_view kPortOpenSuffix = "[베넷가능]";
inline constexpr std::string_view kPortClosedSuffix = "[베넷불가능]";
inline constexpr std::string_view kServerNotFound = "서버를 찾을 수 없습니다.";

class BattleNetPortProbe {
public:
    virtual ~BattleNetPortProbe() = default;
    // True when a TCP connection to the host's Battle.net port succeeds.
    virtual bool ProbeBattleNetPort(std::string_view host) = 0;
};

// "%d ms" with the port's availability right after it, or the not-found text.
std::string MeasurementText(const PingResult& ping, bool portOpen);

// The port is probed only when the ping gave a number (999 included).
std::string MeasureServer(EchoNetwork& network, net::NameResolver& names, BattleNetPortProbe& port,
                          std::string_view address, std::uint16_t identifier);

} // namespace gatelog
