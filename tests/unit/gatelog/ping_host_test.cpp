#include "gatelog/ping_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "gatelog/echo_packet.h"
#include "tests/unit/support/fake_resolver.h"
#include "gatelog/server_measurement.h"

namespace gatelog {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr net::Ipv4Address kServer{192, 0, 2, 7};
constexpr std::uint16_t kIdentifier = 0x4242;

struct Arrival {
    std::uint32_t delayMs;  // after the request was sent
    Bytes packet;
    net::Ipv4Address source = kServer;
};

// What the network answers to one request (the 44 bytes sent).
using Responder = std::function<std::vector<Arrival>(const Bytes& request)>;

Bytes AsReceived(Bytes icmp, std::uint8_t type) {
    Bytes packet(20, 0);
    packet[0] = 0x45;
    icmp[kTypeOffset] = type;
    packet.insert(packet.end(), icmp.begin(), icmp.end());
    return packet;
}
Bytes ReplyTo(const Bytes& request) { return AsReceived(request, kEchoReplyType); }
Bytes OwnRequest(const Bytes& request) { return AsReceived(request, kEchoRequestType); }
Bytes ForeignReply(const Bytes& request) {
    Bytes reply = ReplyTo(request);
    reply[20 + kIdentifierOffset] ^= 0xFF;
    return reply;
}

class FakeNetwork : public EchoNetwork {
public:
    std::uint32_t tick = 100000;
    std::optional<OpenFailure> refuseOpen;
    bool failSend = false;
    Responder responder = [](const Bytes&) { return std::vector<Arrival>{}; };

    int openSockets = 0;
    std::vector<Bytes> sent;
    std::vector<std::uint32_t> receiveTimeouts;
    std::vector<std::uint32_t> pauses;

    Opened Open(std::uint32_t timeoutMs) override {
        EXPECT_EQ(timeoutMs, kProbeTimeoutMs);
        if (refuseOpen) return {nullptr, *refuseOpen};
        return {std::make_unique<Socket>(*this), OpenFailure::kFailed};
    }
    std::uint32_t TickCount() override { return tick; }
    void Pause(std::uint32_t ms) override {
        pauses.push_back(ms);
        tick += ms;
    }

private:
    struct Pending {
        std::uint32_t at;
        Bytes packet;
        net::Ipv4Address source;
    };

    class Socket : public EchoSocket {
    public:
        explicit Socket(FakeNetwork& network) : network_(network) { ++network_.openSockets; }
        ~Socket() override { --network_.openSockets; }

        bool Send(const net::Ipv4Address& destination, std::span<const std::uint8_t> packet) override {
            EXPECT_EQ(destination, kServer);
            if (network_.failSend) return false;
            Bytes request(packet.begin(), packet.end());
            network_.sent.push_back(request);
            for (auto& arrival : network_.responder(request)) {
                pending_.push_back({network_.tick + arrival.delayMs, std::move(arrival.packet), arrival.source});
            }
            std::sort(pending_.begin(), pending_.end(), [](auto& a, auto& b) { return a.at < b.at; });
            return true;
        }

        std::optional<ReceivedPacket> Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) override {
            network_.receiveTimeouts.push_back(timeoutMs);
            if (pending_.empty() || pending_.front().at > network_.tick + timeoutMs) {
                network_.tick += timeoutMs;
                return std::nullopt;
            }
            Pending next = std::move(pending_.front());
            pending_.pop_front();
            network_.tick = std::max(network_.tick, next.at);
            std::size_t size = std::min(next.packet.size(), buffer.size());
            std::copy_n(next.packet.begin(), size, buffer.begin());
            return ReceivedPacket{size, next.source};
        }

    private:
        FakeNetwork& network_;
        std::deque<Pending> pending_;
    };
};

class FakeNames : public test_support::FakeResolver {
public:
    FakeNames() : test_support::FakeResolver({{"bnet.example", kServer}}) {}
};

class PingHostTest : public ::testing::Test {
protected:
    PingResult Ping(std::string_view host = "bnet.example", int probes = kProbesPerMeasurement) {
        PingResult result = PingHost(network, names, host, probes, kIdentifier);
        EXPECT_EQ(network.openSockets, 0) << "the socket is closed on every path";
        return result;
    }
    // Answers the n-th request after delays[n] milliseconds.
    void AnswerAfter(std::vector<std::uint32_t> delays) {
        network.responder = [delays, n = std::size_t{0}](const Bytes& request) mutable {
            std::vector<Arrival> arrivals;
            if (n < delays.size()) arrivals.push_back({delays[n], ReplyTo(request)});
            ++n;
            return arrivals;
        };
    }

    FakeNetwork network;
    FakeNames names;
};

TEST_F(PingHostTest, AveragesTheProbesTruncatingTowardZero) {
    AnswerAfter({37, 38});
    PingResult result = Ping();
    EXPECT_EQ(result.status, PingStatus::kMeasured);
    EXPECT_EQ(result.averageMs, 37);
    EXPECT_EQ(network.pauses, (std::vector<std::uint32_t>{kPauseAfterProbeMs, kPauseAfterProbeMs}));
}

TEST_F(PingHostTest, SendsNumberedRequestsStampedWithTheTick) {
    AnswerAfter({5, 5});
    std::uint32_t start = network.tick;
    Ping();
    ASSERT_EQ(network.sent.size(), 2u);
    for (std::uint16_t sequence = 0; sequence < 2; ++sequence) {
        const Bytes& request = network.sent[sequence];
        ASSERT_EQ(request.size(), kEchoRequestSize);
        EXPECT_EQ(request[kTypeOffset], kEchoRequestType);
        EXPECT_EQ(InternetChecksum(request), 0);
        Bytes expected(kEchoRequestSize);
        // The second probe leaves after the first one's round trip and pause.
        std::uint32_t sentAt = start + sequence * (5 + kPauseAfterProbeMs);
        BuildEchoRequest(expected, {kIdentifier, sequence, sentAt});
        EXPECT_EQ(request, expected) << "probe " << sequence;
    }
}

TEST_F(PingHostTest, ReadsPastOurOwnRequestOnLoopback) {
    network.responder = [](const Bytes& request) {
        return std::vector<Arrival>{{0, OwnRequest(request)}, {2, ReplyTo(request)}};
    };
    PingResult result = Ping();
    EXPECT_EQ(result.status, PingStatus::kMeasured);
    EXPECT_EQ(result.averageMs, 2) << "our own request is no 0 ms reply";
}

TEST_F(PingHostTest, OtherEchoTrafficDoesNotCountAsReply) {
    network.responder = [](const Bytes& request) {
        return std::vector<Arrival>{{100, ForeignReply(request)},
                                    {200, ReplyTo(request), {10, 9, 9, 9}},
                                    {300, ReplyTo(request)}};
    };
    PingResult result = Ping();
    EXPECT_EQ(result.status, PingStatus::kMeasured);
    EXPECT_EQ(result.averageMs, 300);
}

TEST_F(PingHostTest, ForeignTrafficUntilTheTimeOutFailsTheProbe) {
    network.responder = [](const Bytes& request) {
        return std::vector<Arrival>{{100, ForeignReply(request)}, {400, ForeignReply(request)}, {1500, ReplyTo(request)}};
    };
    std::uint32_t start = network.tick;
    EXPECT_EQ(Ping().status, PingStatus::kNotMeasured);
    // Each wait gets what is left of the probe's one second, no more.
    EXPECT_EQ(network.receiveTimeouts, (std::vector<std::uint32_t>{1000, 900, 600}));
    EXPECT_EQ(network.tick - start, kProbeTimeoutMs);
    EXPECT_EQ(network.sent.size(), 1u);
}

TEST_F(PingHostTest, OneUnansweredProbeLeavesTheHostUnmeasured) {
    AnswerAfter({20});
    EXPECT_EQ(Ping().status, PingStatus::kNotMeasured);
    EXPECT_EQ(network.sent.size(), 2u);
    EXPECT_EQ(network.pauses.size(), 1u);
}

TEST_F(PingHostTest, LateReplyToTheFirstProbeIsNotTakenForTheSecond) {
    network.responder = [n = 0](const Bytes& request) mutable {
        // The first reply comes twice, the copy during the second probe.
        if (n++ == 0) return std::vector<Arrival>{{10, ReplyTo(request)}, {1015, ReplyTo(request)}};
        return std::vector<Arrival>{{30, ReplyTo(request)}};
    };
    PingResult result = Ping();
    EXPECT_EQ(result.status, PingStatus::kMeasured);
    EXPECT_EQ(result.averageMs, (10 + 30) / 2);
}

TEST_F(PingHostTest, UnusableWinsockGivesNineNineNine) {
    network.refuseOpen = EchoNetwork::OpenFailure::kWinsockUnusable;
    PingResult result = Ping();
    EXPECT_EQ(result.status, PingStatus::kWinsockUnusable);
    EXPECT_EQ(result.averageMs, 999);
    EXPECT_TRUE(network.sent.empty());
}

TEST_F(PingHostTest, FailuresLeaveTheHostUnmeasured) {
    network.refuseOpen = EchoNetwork::OpenFailure::kFailed;
    EXPECT_EQ(Ping().status, PingStatus::kNotMeasured) << "no ICMP protocol or no time-outs";

    network.refuseOpen.reset();
    EXPECT_EQ(Ping("unknown.example").status, PingStatus::kNotMeasured) << "name not resolved";
    EXPECT_TRUE(network.sent.empty());

    network.failSend = true;
    AnswerAfter({1, 1});
    EXPECT_EQ(Ping().status, PingStatus::kNotMeasured) << "send failed";

    EXPECT_EQ(Ping("bnet.example", 0).status, PingStatus::kNotMeasured) << "no probes, no average";
}

class FakePort : public BattleNetPortProbe {
public:
    bool open = false;
    std::vector<std::string> probed;
    bool ProbeBattleNetPort(std::string_view host) override {
        probed.emplace_back(host);
        return open;
    }
};

class MeasureServerTest : public PingHostTest {
protected:
    std::string Measure() { return MeasureServer(network, names, port, "bnet.example", kIdentifier); }
    FakePort port;
};

TEST_F(MeasureServerTest, ShowsTheAverageAndThePort) {
    AnswerAfter({12, 13, 12, 13});
    EXPECT_EQ(Measure(), "12 ms[베넷불가능]");
    port.open = true;
    EXPECT_EQ(Measure(), "12 ms[베넷가능]");
    EXPECT_EQ(port.probed, (std::vector<std::string>{"bnet.example", "bnet.example"}));
}

TEST_F(MeasureServerTest, UnusableWinsockStillProbesThePort) {
    network.refuseOpen = EchoNetwork::OpenFailure::kWinsockUnusable;
    port.open = true;
    EXPECT_EQ(Measure(), "999 ms[베넷가능]");
}

TEST_F(MeasureServerTest, UnmeasuredServerIsNotFoundAndNotProbed) {
    EXPECT_EQ(Measure(), "서버를 찾을 수 없습니다.");
    EXPECT_TRUE(port.probed.empty());
}

} // namespace
} // namespace gatelog
