#include "gatelog/echo_packet.h"

#include <algorithm>
#include <cstring>

namespace gatelog {
namespace {

template <typename T>
void Store(std::span<std::uint8_t> buffer, std::size_t offset, T value) {
    std::memcpy(buffer.data() + offset, &value, sizeof value);
}

template <typename T>
T Load(std::span<const std::uint8_t> buffer, std::size_t offset) {
    T value;
    std::memcpy(&value, buffer.data() + offset, sizeof value);
    return value;
}

} // namespace

std::uint16_t InternetChecksum(std::span<const std::uint8_t> bytes) {
    std::uint32_t sum = 0;
    std::size_t pos = 0;
    for (; pos + 1 < bytes.size(); pos += 2) sum += Load<std::uint16_t>(bytes, pos);
    if (pos < bytes.size()) {
        // The odd byte counts as a word padded with a zero byte.
        const std::uint8_t padded[2] = {bytes[pos], 0};
        sum += Load<std::uint16_t>(padded, 0);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    sum += sum >> 16;
    return static_cast<std::uint16_t>(~sum);
}

std::size_t BuildEchoRequest(std::span<std::uint8_t> buffer, const EchoProbe& probe) {
    if (buffer.size() < kEchoRequestSize) return 0;
    auto packet = buffer.first(kEchoRequestSize);
    std::fill(packet.begin(), packet.end(), std::uint8_t{0});
    packet[kTypeOffset] = kEchoRequestType;
    packet[kCodeOffset] = 0;
    Store(packet, kIdentifierOffset, probe.identifier);
    Store(packet, kSequenceOffset, probe.sequence);
    Store(packet, kTimestampOffset, probe.timestamp);
    std::fill_n(packet.begin() + kDataOffset, kDataSize, kDataByte);
    Store(packet, kChecksumOffset, InternetChecksum(packet));
    return kEchoRequestSize;
}

std::optional<std::uint32_t> ReadEchoReply(std::span<const std::uint8_t> packet, const net::Ipv4Address& source,
                                           const EchoProbe& probe, const net::Ipv4Address& destination,
                                           std::uint32_t nowTick) {
    if (packet.empty() || source != destination) return std::nullopt;
    std::size_t headerSize = 4u * (packet[0] & 0x0Fu);
    if (headerSize < kMinIpHeaderSize || packet.size() < headerSize + kDataOffset) return std::nullopt;
    auto icmp = packet.subspan(headerSize);
    if (icmp[kTypeOffset] != kEchoReplyType) return std::nullopt;
    if (Load<std::uint16_t>(icmp, kIdentifierOffset) != probe.identifier) return std::nullopt;
    if (Load<std::uint16_t>(icmp, kSequenceOffset) != probe.sequence) return std::nullopt;
    // Sequences start again with every measurement; the echoed time stamp
    // tells this probe's reply from a late one to an earlier measurement.
    if (Load<std::uint32_t>(icmp, kTimestampOffset) != probe.timestamp) return std::nullopt;
    return nowTick - probe.timestamp;
}

} // namespace gatelog
