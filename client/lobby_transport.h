// The lobby's one connection to the chat server, as the session sees it.
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
    virtual void Disconnect(Delivery delivery) = 0;
};

} // namespace lobby
