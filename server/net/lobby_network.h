// The lobby on the network: accepts TCP connections, reads whole blocks, and
// carries the core's messages out, all on one Asio event loop.
#pragma once

#include "server/delivery.h"
#include "server/lobby.h"

#include <asio.hpp>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string_view>

namespace lobby_server {

class LobbyNetwork : public Delivery {
public:
    using LogSink = std::function<void(std::string_view)>;

    // Listens at endpoint; throws asio::system_error when it cannot.
    LobbyNetwork(asio::io_context& io, const asio::ip::tcp::endpoint& endpoint, LobbyLimits limits, LogSink log);

    asio::ip::tcp::endpoint LocalEndpoint() const { return acceptor_.local_endpoint(); }
    // Stops accepting and closes every connection; the loop then runs out.
    void Stop();

    void Send(ConnectionId connection, std::string_view message) override;
    void HangUp(ConnectionId connection) override;
    void Log(std::string_view line) override { log_(line); }

private:
    struct Session {
        explicit Session(asio::ip::tcp::socket s) : socket(std::move(s)), lingering(socket.get_executor()) {}
        asio::ip::tcp::socket socket;
        asio::steady_timer lingering;
        lobby::SendBlock incoming{};  // a client sends one whole block per message
        std::deque<lobby::SendBlock> queued;
        std::vector<lobby::SendBlock> writing;
        bool hangingUp = false;  // the core has forgotten it: close once written
    };
    using SessionPtr = std::shared_ptr<Session>;

    void Accept();
    void Read(ConnectionId id, SessionPtr session);
    void Write(ConnectionId id, SessionPtr session);
    void Close(ConnectionId id);
    // Tells the core that the connection is gone, then closes it.
    void Lose(ConnectionId id);
    void Linger(SessionPtr session);
    void Drain(SessionPtr session);
    static void Discard(SessionPtr session);
    void WatchIdle();

    asio::io_context& io_;
    asio::ip::tcp::acceptor acceptor_;
    asio::steady_timer idleTimer_;
    asio::steady_timer acceptRetry_;
    LogSink log_;
    Lobby lobby_;
    std::map<ConnectionId, SessionPtr> sessions_;
    std::set<SessionPtr> lingering_;
    ConnectionId nextId_ = 1;
    bool stopping_ = false;
};

} // namespace lobby_server
