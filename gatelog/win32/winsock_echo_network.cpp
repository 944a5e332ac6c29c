#include "gatelog/win32/winsock_echo_network.h"

#include <cstring>
#include <memory>
#include <utility>

#include "gatelog/win32/precise_tick.h"
#include "common/win32/winsock_use.h"

namespace gatelog {
namespace {

bool SetTimeout(SOCKET socket, int option, std::uint32_t ms) {
    DWORD value = ms;
    return setsockopt(socket, SOL_SOCKET, option, reinterpret_cast<const char*>(&value), sizeof value) == 0;
}

sockaddr_in ToSockaddr(const net::Ipv4Address& address) {
    sockaddr_in out{};
    out.sin_family = AF_INET;
    std::memcpy(&out.sin_addr, address.data(), address.size());
    return out;
}

class RawEchoSocket : public EchoSocket {
public:
    RawEchoSocket(std::unique_ptr<win::WinsockUse> winsock, SOCKET raw) : winsock_(std::move(winsock)), socket_(raw) {}

    bool Send(const net::Ipv4Address& destination, std::span<const std::uint8_t> packet) override {
        sockaddr_in to = ToSockaddr(destination);
        int sent = sendto(socket_.Get(), reinterpret_cast<const char*>(packet.data()), static_cast<int>(packet.size()), 0,
                          reinterpret_cast<const sockaddr*>(&to), sizeof to);
        return sent == static_cast<int>(packet.size());
    }

    std::optional<ReceivedPacket> Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) override {
        if (!SetTimeout(socket_.Get(), SO_RCVTIMEO, timeoutMs)) return std::nullopt;
        sockaddr_in from{};
        int fromSize = sizeof from;
        int received = recvfrom(socket_.Get(), reinterpret_cast<char*>(buffer.data()), static_cast<int>(buffer.size()), 0,
                                reinterpret_cast<sockaddr*>(&from), &fromSize);
        // A datagram longer than the buffer arrives cut, as far as it fits.
        if (received == SOCKET_ERROR && WSAGetLastError() == WSAEMSGSIZE) received = static_cast<int>(buffer.size());
        if (received == SOCKET_ERROR || received < 0) return std::nullopt;
        ReceivedPacket packet{static_cast<std::size_t>(received), {}};
        std::memcpy(packet.source.data(), &from.sin_addr, packet.source.size());
        return packet;
    }

private:
    // Declared first, so WinSock is given up only after the socket is closed.
    std::unique_ptr<win::WinsockUse> winsock_;
    win::SocketHandle socket_;
};

} // namespace

EchoNetwork::Opened WinsockEchoNetwork::Open(std::uint32_t timeoutMs) {
    auto winsock = std::make_unique<win::WinsockUse>();
    if (!winsock->IsVersionOneOne()) return {nullptr, OpenFailure::kWinsockUnusable};
    const protoent* icmp = getprotobyname("icmp");
    if (!icmp) return {nullptr, OpenFailure::kFailed};
    SOCKET raw = socket(AF_INET, SOCK_RAW, icmp->p_proto);
    if (raw == INVALID_SOCKET) return {nullptr, OpenFailure::kWinsockUnusable};
    auto opened = std::make_unique<RawEchoSocket>(std::move(winsock), raw);
    if (!SetTimeout(raw, SO_RCVTIMEO, timeoutMs) || !SetTimeout(raw, SO_SNDTIMEO, timeoutMs)) {
        return {nullptr, OpenFailure::kFailed};
    }
    return {std::move(opened), OpenFailure::kFailed};
}

std::uint32_t WinsockEchoNetwork::TickCount() { return PreciseTickCount(); }

void WinsockEchoNetwork::Pause(std::uint32_t ms) { Sleep(ms); }

} // namespace gatelog
