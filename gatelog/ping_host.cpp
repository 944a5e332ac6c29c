#include "gatelog/ping_host.h"

#include <algorithm>
#include <array>

#include "gatelog/echo_packet.h"

namespace gatelog {
namespace {

using PacketBuffer = std::array<std::uint8_t, kPacketBufferSize>;

// Packets that are not our reply (on loopback our own request comes first)
// are read past until the reply comes or the probe's time-out has passed.
std::optional<std::uint32_t> AwaitReply(EchoNetwork& network, EchoSocket& socket, const EchoProbe& probe,
                                        const net::Ipv4Address& destination, PacketBuffer& buffer) {
    while (true) {
        std::uint32_t waited = network.TickCount() - probe.timestamp;
        if (waited >= kProbeTimeoutMs) return std::nullopt;
        auto packet = socket.Receive(buffer, kProbeTimeoutMs - waited);
        if (!packet) return std::nullopt;
        auto received = std::span<const std::uint8_t>(buffer).first(std::min(packet->size, buffer.size()));
        if (auto roundTrip = ReadEchoReply(received, packet->source, probe, destination, network.TickCount())) {
            return roundTrip;
        }
    }
}

} // namespace

PingResult PingHost(EchoNetwork& network, net::NameResolver& names, std::string_view host, int probes,
                    std::uint16_t identifier) {
    if (probes < 1) return {};
    auto opened = network.Open(kProbeTimeoutMs);
    if (!opened.socket) {
        if (opened.failure == EchoNetwork::OpenFailure::kWinsockUnusable) {
            return {PingStatus::kWinsockUnusable, kUnusableWinsockAverage};
        }
        return {};
    }
    auto destination = names.Resolve(host);
    if (!destination) return {};

    PacketBuffer request{};
    PacketBuffer reply{};
    std::uint32_t sum = 0;
    for (int sequence = 0; sequence < probes; ++sequence) {
        EchoProbe probe{identifier, static_cast<std::uint16_t>(sequence), network.TickCount()};
        std::size_t size = BuildEchoRequest(request, probe);
        if (!opened.socket->Send(*destination, std::span<const std::uint8_t>(request).first(size))) return {};
        auto roundTrip = AwaitReply(network, *opened.socket, probe, *destination, reply);
        if (!roundTrip) return {};
        sum += *roundTrip;
        network.Pause(kPauseAfterProbeMs);
    }
    return {PingStatus::kMeasured, static_cast<int>(sum / static_cast<std::uint32_t>(probes))};
}

} // namespace gatelog
