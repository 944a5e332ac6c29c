// Measuring a host's round trip with ICMP echo over a raw socket.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "common/name_resolver.h"

namespace gatelog {

inline constexpr int kProbesPerMeasurement = 2;
inline constexpr std::uint32_t kProbeTimeoutMs = 1000;
inline constexpr std::uint32_t kPauseAfterProbeMs = 1000;
// Stands for "WinSock cannot measure here", shown like a round trip.
inline constexpr int kUnusableWinsockAverage = 999;

enum class PingStatus { kNotMeasured, kMeasured, kWinsockUnusable };

struct PingResult {
    PingStatus status = PingStatus::kNotMeasured;
    int averageMs = 0;
};

struct ReceivedPacket {
    std::size_t size = 0;
    net::Ipv4Address source{};
};

// An open raw ICMP socket with its send and receive time-outs set; closing it
// (and the WinSock use that came with it) when it goes away.
class EchoSocket {
public:
    virtual ~EchoSocket() = default;
    virtual bool Send(const net::Ipv4Address& destination, std::span<const std::uint8_t> packet) = 0;
    // One packet into buffer, waiting at most timeoutMs; nullopt on time-out or failure.
    virtual std::optional<ReceivedPacket> Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) = 0;
};

class EchoNetwork {
public:
    enum class OpenFailure {
        kWinsockUnusable,  // no WinSock 1.1 or no right to a raw socket
        kFailed,           // no ICMP protocol entry, or the time-outs cannot be set
    };
    struct Opened {
        std::unique_ptr<EchoSocket> socket;
        OpenFailure failure = OpenFailure::kFailed;
    };

    virtual ~EchoNetwork() = default;
    virtual Opened Open(std::uint32_t timeoutMs) = 0;
    // The millisecond tick count the time stamps use.
    virtual std::uint32_t TickCount() = 0;
    virtual void Pause(std::uint32_t ms) = 0;
};

// Sends probes echo requests one after another, each answered within the
// time-out and followed by a pause; the average is truncated toward zero.
// One unanswered probe leaves the host unmeasured.
PingResult PingHost(EchoNetwork& network, net::NameResolver& names, std::string_view host, int probes,
                    std::uint16_t identifier);

} // namespace gatelog
