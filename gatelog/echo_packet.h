// ICMP echo request and reply as the notebook sends and reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "common/name_resolver.h"

namespace gatelog {

// Both packet buffers are 1024 bytes; a reply longer than that is cut.
inline constexpr std::size_t kPacketBufferSize = 1024;

// Echo request layout. Identifier, sequence and time stamp are kept in the
// processor's byte order; only this program reads them back.
inline constexpr std::size_t kTypeOffset = 0;
inline constexpr std::size_t kCodeOffset = 1;
inline constexpr std::size_t kChecksumOffset = 2;
inline constexpr std::size_t kIdentifierOffset = 4;
inline constexpr std::size_t kSequenceOffset = 6;
inline constexpr std::size_t kTimestampOffset = 8;
inline constexpr std::size_t kDataOffset = 12;
inline constexpr std::size_t kDataSize = 32;
inline constexpr std::size_t kEchoRequestSize = kDataOffset + kDataSize;
static_assert(kEchoRequestSize == 44);

inline constexpr std::uint8_t kEchoRequestType = 8;
inline constexpr std::uint8_t kEchoReplyType = 0;
inline constexpr std::uint8_t kDataByte = 0x45;

// The IPv4 header in front of a received packet: its length is 4 times the
// low four bits of its first byte, at least 20 bytes.
inline constexpr std::size_t kMinIpHeaderSize = 20;

struct EchoProbe {
    std::uint16_t identifier = 0;
    std::uint16_t sequence = 0;
    std::uint32_t timestamp = 0;
};

// RFC 1071: ones' complement of the ones' complement sum of the 16-bit words
// in memory order. Stored the same way, it is valid in either byte order.
std::uint16_t InternetChecksum(std::span<const std::uint8_t> bytes);

// Writes the request into buffer and returns its size, or 0 when the buffer is too small.
std::size_t BuildEchoRequest(std::span<std::uint8_t> buffer, const EchoProbe& probe);

// The round trip in milliseconds when packet (IPv4 header first), received
// from source, is destination's reply to this probe; nullopt for every other
// packet, such as our own request seen on loopback, another program's echo
// traffic or a late reply to an earlier measurement.
std::optional<std::uint32_t> ReadEchoReply(std::span<const std::uint8_t> packet, const net::Ipv4Address& source,
                                           const EchoProbe& probe, const net::Ipv4Address& destination,
                                           std::uint32_t nowTick);

} // namespace gatelog
