// The lobby's one connection to the chat server, as the session sees it, and
// what the connection reports back.
#pragma once

#include <string_view>

namespace lobby {

// Sync: the block is on the wire when the call returns. Posted: it goes out
// when the window next handles its messages. Blocks leave in call order.
enum class Delivery { kSync, kPosted };

class LobbyTransport {
public:
    virtual ~LobbyTransport() = default;

    // Starts connecting; false when the attempt could not even start.
    virtual bool Connect() = 0;
    virtual bool IsOpen() const = 0;
    virtual void Send(std::string_view message, Delivery delivery) = 0;
    // A synchronous disconnect reports the close before it returns.
    virtual void Disconnect(Delivery delivery) = 0;
};

// The connection's events, delivered on the window's thread. A handler may
// call the transport, which can report a further event before it returns.
class ConnectionEvents {
public:
    virtual ~ConnectionEvents() = default;

    // The connection is established: the login follows shortly.
    virtual void OnConnected() = 0;
    // One framed message from the server.
    virtual void HandleServerMessage(std::string_view text) = 0;
    // The connection is gone, closed by either side.
    virtual void OnConnectionClosed() = 0;
};

} // namespace lobby
