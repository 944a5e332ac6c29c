// Any packet a raw ICMP socket may hand over.
#include "gatelog/echo_packet.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gatelog::EchoProbe probe{0x1234, 1, 1000};
    net::Ipv4Address loopback{127, 0, 0, 1};
    gatelog::ReadEchoReply(std::span<const std::uint8_t>(data, size), loopback, probe, loopback, 1005);
    gatelog::InternetChecksum(std::span<const std::uint8_t>(data, size));
    return 0;
}
