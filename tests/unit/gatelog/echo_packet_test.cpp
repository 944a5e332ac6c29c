#include "gatelog/echo_packet.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace gatelog {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The checksum as it lies in the packet, most significant byte first.
std::array<std::uint8_t, 2> WireChecksum(const Bytes& bytes) {
    std::uint16_t sum = InternetChecksum(bytes);
    std::array<std::uint8_t, 2> wire{};
    std::memcpy(wire.data(), &sum, 2);
    return wire;
}

TEST(InternetChecksum, MatchesKnownPackets) {
    // Echo request header, identifier 0, sequence 1.
    EXPECT_EQ(WireChecksum({0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}), (std::array<std::uint8_t, 2>{0xF7, 0xFE}));
    // The worked example of RFC 1071.
    EXPECT_EQ(WireChecksum({0x00, 0x01, 0xF2, 0x03, 0xF4, 0xF5, 0xF6, 0xF7}), (std::array<std::uint8_t, 2>{0x22, 0x0D}));
    // Odd length: the last byte is padded with a zero byte.
    EXPECT_EQ(WireChecksum({0x01, 0x02, 0x03}), (std::array<std::uint8_t, 2>{0xFB, 0xFD}));
    EXPECT_EQ(WireChecksum({}), (std::array<std::uint8_t, 2>{0xFF, 0xFF}));
}

TEST(InternetChecksum, AddsTheCarryOfTheFold) {
    // Summed in little-endian words these give 0x1FFFF, whose fold 0x10000
    // carries once more; in either byte order the answer is the same.
    EXPECT_EQ(WireChecksum({0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00}), (std::array<std::uint8_t, 2>{0xFE, 0xFF}));
    EXPECT_EQ(WireChecksum({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01}), (std::array<std::uint8_t, 2>{0xFF, 0xFE}));
}

TEST(InternetChecksum, PacketWithItsChecksumSumsToZero) {
    for (std::size_t length : {2u, 7u, 44u, 45u}) {
        Bytes packet(length + 2);
        for (std::size_t i = 0; i < packet.size(); ++i) packet[i] = static_cast<std::uint8_t>(i * 37 + 11);
        packet[0] = packet[1] = 0;
        std::uint16_t sum = InternetChecksum(packet);
        std::memcpy(packet.data(), &sum, 2);
        // An odd-length packet verifies as its zero-padded form does.
        EXPECT_EQ(InternetChecksum(packet), 0) << "length " << length;
    }
}

TEST(BuildEchoRequest, LaysOutTheFortyFourBytes) {
    if constexpr (std::endian::native != std::endian::little) GTEST_SKIP() << "expected bytes are little-endian";
    std::array<std::uint8_t, kPacketBufferSize> buffer;
    buffer.fill(0xAA);
    ASSERT_EQ(BuildEchoRequest(buffer, {0x1234, 1, 0x01020304}), 44u);

    Bytes expected = {0x08, 0x00, 0x68, 0x95, 0x34, 0x12, 0x01, 0x00, 0x04, 0x03, 0x02, 0x01};
    expected.insert(expected.end(), 32, 0x45);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 44), expected);
    EXPECT_EQ(buffer[44], 0xAA) << "nothing is written past the request";
}

TEST(BuildEchoRequest, RefusesABufferTooSmall) {
    std::array<std::uint8_t, 43> small{};
    EXPECT_EQ(BuildEchoRequest(small, {1, 0, 0}), 0u);
    EXPECT_EQ(small, (std::array<std::uint8_t, 43>{}));
}

class ReadEchoReplyTest : public ::testing::Test {
protected:
    static constexpr net::Ipv4Address kServer{127, 0, 0, 1};
    const EchoProbe probe{0x0BAD, 1, 5000};

    // An IPv4 header of headerWords 32-bit words, then the probe turned into a reply.
    Bytes Reply(std::size_t headerWords = 5, std::uint8_t type = kEchoReplyType) const {
        Bytes packet(headerWords * 4, 0);
        packet[0] = static_cast<std::uint8_t>(0x40 | headerWords);
        Bytes icmp(kEchoRequestSize);
        BuildEchoRequest(icmp, probe);
        icmp[kTypeOffset] = type;
        packet.insert(packet.end(), icmp.begin(), icmp.end());
        return packet;
    }
};

TEST_F(ReadEchoReplyTest, GivesTheRoundTripOfOurReply) {
    EXPECT_EQ(ReadEchoReply(Reply(), kServer, probe, kServer, 5037), 37u);
    EXPECT_EQ(ReadEchoReply(Reply(), kServer, probe, kServer, 5000), 0u);
}

TEST_F(ReadEchoReplyTest, TakesTheHeaderLengthFromTheFirstByte) {
    // Options make the header 24 or 60 bytes long.
    EXPECT_EQ(ReadEchoReply(Reply(6), kServer, probe, kServer, 5010), 10u);
    EXPECT_EQ(ReadEchoReply(Reply(15), kServer, probe, kServer, 5010), 10u);
}

TEST_F(ReadEchoReplyTest, RoundTripSurvivesTheTickCountWrapping) {
    EchoProbe late{probe.identifier, probe.sequence, 0xFFFFFFF0u};
    Bytes packet(20, 0);
    packet[0] = 0x45;
    Bytes icmp(kEchoRequestSize);
    BuildEchoRequest(icmp, late);
    icmp[kTypeOffset] = kEchoReplyType;
    packet.insert(packet.end(), icmp.begin(), icmp.end());
    EXPECT_EQ(ReadEchoReply(packet, kServer, late, kServer, 0x00000010u), 0x20u);
}

TEST_F(ReadEchoReplyTest, RefusesOtherPackets) {
    EXPECT_FALSE(ReadEchoReply(Reply(5, kEchoRequestType), kServer, probe, kServer, 5001)) << "our own request";
    EXPECT_FALSE(ReadEchoReply(Reply(5, 3), kServer, probe, kServer, 5001)) << "destination unreachable";

    EchoProbe otherProgram{0x0BAE, probe.sequence, probe.timestamp};
    EXPECT_FALSE(ReadEchoReply(Reply(), kServer, otherProgram, kServer, 5001)) << "wrong identifier";
    EchoProbe earlierProbe{probe.identifier, 0, probe.timestamp};
    EXPECT_FALSE(ReadEchoReply(Reply(), kServer, earlierProbe, kServer, 5001)) << "wrong sequence";
    EchoProbe nextMeasurement{probe.identifier, probe.sequence, 7000};
    EXPECT_FALSE(ReadEchoReply(Reply(), kServer, nextMeasurement, kServer, 7010))
        << "late reply to an earlier measurement";
    EXPECT_FALSE(ReadEchoReply(Reply(), {10, 0, 0, 1}, probe, kServer, 5001)) << "another host";
}

TEST_F(ReadEchoReplyTest, RefusesDamagedPacketsWithoutReadingPastThem) {
    Bytes reply = Reply();
    EXPECT_FALSE(ReadEchoReply({}, kServer, probe, kServer, 5001));
    EXPECT_FALSE(ReadEchoReply(std::span(reply).first(20 + kDataOffset - 1), kServer, probe, kServer, 5001));
    EXPECT_TRUE(ReadEchoReply(std::span(reply).first(20 + kDataOffset), kServer, probe, kServer, 5001));

    Bytes shortHeader = reply;
    shortHeader[0] = 0x44;  // a 16-byte header is no IPv4 header
    EXPECT_FALSE(ReadEchoReply(shortHeader, kServer, probe, kServer, 5001));
    Bytes longHeader = reply;
    longHeader[0] = 0x4F;  // 60 bytes claimed, fewer present after it
    EXPECT_FALSE(ReadEchoReply(longHeader, kServer, probe, kServer, 5001));
}

} // namespace
} // namespace gatelog
