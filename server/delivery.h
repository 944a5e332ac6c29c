// What the lobby core asks of the network: sending, hanging up, logging.
#pragma once

#include <cstdint>
#include <string_view>

namespace lobby_server {

using ConnectionId = std::uint64_t;

class Delivery {
public:
    virtual ~Delivery() = default;
    // Queues one message (without the header) for the connection.
    virtual void Send(ConnectionId connection, std::string_view message) = 0;
    // Closes the connection once what is queued for it has gone out. The
    // core has already forgotten it and is not told again when it closes.
    virtual void HangUp(ConnectionId connection) = 0;
    // One line for the operator, CP949 like all text inside.
    virtual void Log(std::string_view line) = 0;
};

} // namespace lobby_server
