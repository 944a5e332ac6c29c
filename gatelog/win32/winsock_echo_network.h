// ICMP echo over a WinSock raw socket, for PingHost.
#pragma once

#include "gatelog/ping_host.h"

namespace gatelog {

class WinsockEchoNetwork : public EchoNetwork {
public:
    Opened Open(std::uint32_t timeoutMs) override;
    std::uint32_t TickCount() override;
    void Pause(std::uint32_t ms) override;
};

} // namespace gatelog
