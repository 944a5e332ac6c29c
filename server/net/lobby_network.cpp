#include "server/net/lobby_network.h"

#include <string>

namespace lobby_server {
namespace {

// A client that stops reading is dropped before it holds this much of ours.
constexpr std::size_t kMaxQueuedBlocks = 2048;
// Blocks handed to the socket in one write.
constexpr std::size_t kBlocksPerWrite = 64;
constexpr auto kIdleCheckInterval = std::chrono::seconds(1);
// How long a hung-up client may go on sending before its socket is closed.
constexpr auto kLingerTime = std::chrono::seconds(5);

Millis Now() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

LobbyNetwork::LobbyNetwork(asio::io_context& io, const asio::ip::tcp::endpoint& endpoint, LobbyLimits limits,
                           LogSink log)
    : io_(io), acceptor_(io), idleTimer_(io), acceptRetry_(io), log_(std::move(log)), lobby_(*this, limits) {
    acceptor_.open(endpoint.protocol());
    acceptor_.set_option(asio::ip::tcp::acceptor::reuse_address(true));
    acceptor_.bind(endpoint);
    acceptor_.listen();
    Accept();
    WatchIdle();
}

void LobbyNetwork::Stop() {
    stopping_ = true;
    asio::error_code ignored;
    acceptor_.close(ignored);
    idleTimer_.cancel();
    acceptRetry_.cancel();
    while (!sessions_.empty()) {
        Lose(sessions_.begin()->first);
    }
    for (const auto& session : lingering_) Discard(session);
    lingering_.clear();
}

void LobbyNetwork::Accept() {
    acceptor_.async_accept([this](asio::error_code error, asio::ip::tcp::socket socket) {
        if (stopping_) return;
        if (error) {
            // Out of descriptors, say: wait for clients to leave instead of spinning.
            Log("cannot take a connection: " + error.message());
            acceptRetry_.expires_after(std::chrono::seconds(1));
            acceptRetry_.async_wait([this](asio::error_code waitError) {
                if (!waitError && !stopping_) Accept();
            });
            return;
        }
        asio::error_code ignored;
        socket.set_option(asio::ip::tcp::no_delay(true), ignored);
        auto peer = socket.remote_endpoint(ignored);
        ConnectionId id = nextId_++;
        auto session = std::make_shared<Session>(std::move(socket));
        sessions_.emplace(id, session);
        lobby_.Connected(id, peer.address().to_string(), Now());
        if (!session->hangingUp) Read(id, session);
        Accept();
    });
}

void LobbyNetwork::Read(ConnectionId id, SessionPtr session) {
    asio::async_read(session->socket, asio::buffer(session->incoming),
                     [this, id, session](asio::error_code error, std::size_t) {
                         if (session->hangingUp || stopping_) return;
                         if (error) {
                             Lose(id);
                             return;
                         }
                         std::string_view block(session->incoming.data(), session->incoming.size());
                         lobby_.Received(id, block, Now());
                         if (!session->hangingUp) Read(id, session);
                     });
}

void LobbyNetwork::Send(ConnectionId id, std::string_view message) {
    auto found = sessions_.find(id);
    if (found == sessions_.end()) return;
    SessionPtr session = found->second;
    if (session->hangingUp) return;
    if (session->queued.size() >= kMaxQueuedBlocks) {
        // Not from inside the core's own handling: tell it once this step is done.
        Log("#" + std::to_string(id) + " does not read what it is sent");
        session->queued.clear();
        asio::post(io_, [this, id, session] {
            if (!session->hangingUp) Lose(id);
        });
        return;
    }
    session->queued.push_back(FramedBlock(message));
    if (session->writing.empty()) Write(id, session);
}

void LobbyNetwork::HangUp(ConnectionId id) {
    auto found = sessions_.find(id);
    if (found == sessions_.end()) return;
    SessionPtr session = found->second;
    session->hangingUp = true;
    if (!session->writing.empty()) return;  // lingers once written
    sessions_.erase(found);
    Linger(session);
}

void LobbyNetwork::Write(ConnectionId id, SessionPtr session) {
    while (!session->queued.empty() && session->writing.size() < kBlocksPerWrite) {
        session->writing.push_back(session->queued.front());
        session->queued.pop_front();
    }
    std::vector<asio::const_buffer> buffers;
    for (const auto& block : session->writing) buffers.push_back(asio::buffer(block));
    asio::async_write(session->socket, buffers, [this, id, session](asio::error_code error, std::size_t) {
        session->writing.clear();
        if (stopping_ || !sessions_.count(id)) return;
        if (error) {
            session->queued.clear();
            if (!session->hangingUp) lobby_.Disconnected(id);
            Close(id);
            return;
        }
        if (!session->queued.empty()) Write(id, session);
        else if (session->hangingUp) {
            sessions_.erase(id);
            Linger(session);
        }
    });
}

// Closing a socket with unread data in it resets the connection, and the
// peer may lose our last words (the notice why): stop sending, read what
// still comes for a while, then close.
void LobbyNetwork::Linger(SessionPtr session) {
    asio::error_code ignored;
    session->socket.cancel(ignored);  // a read still waiting for its block
    session->socket.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
    lingering_.insert(session);
    session->lingering.expires_after(kLingerTime);
    session->lingering.async_wait([this, session](asio::error_code error) {
        if (error) return;
        Discard(session);
        lingering_.erase(session);
    });
    Drain(session);
}

void LobbyNetwork::Drain(SessionPtr session) {
    session->socket.async_read_some(asio::buffer(session->incoming), [this, session](asio::error_code error, std::size_t) {
        if (!error) return Drain(session);
        if (lingering_.erase(session)) Discard(session);
    });
}

void LobbyNetwork::Discard(SessionPtr session) {
    asio::error_code ignored;
    session->lingering.cancel();
    session->socket.close(ignored);
}

void LobbyNetwork::Lose(ConnectionId id) {
    lobby_.Disconnected(id);
    Close(id);
}

void LobbyNetwork::Close(ConnectionId id) {
    auto found = sessions_.find(id);
    if (found == sessions_.end()) return;
    SessionPtr session = found->second;
    session->hangingUp = true;
    asio::error_code ignored;
    session->socket.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    session->socket.close(ignored);
    sessions_.erase(found);
}

void LobbyNetwork::WatchIdle() {
    idleTimer_.expires_after(kIdleCheckInterval);
    idleTimer_.async_wait([this](asio::error_code error) {
        if (error || stopping_) return;
        lobby_.DropSilent(Now());
        WatchIdle();
    });
}

} // namespace lobby_server
