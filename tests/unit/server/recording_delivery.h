// A Delivery that keeps what the lobby sent, to whom, and whom it hung up on.
#pragma once

#include "server/delivery.h"

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lobby_server {

class RecordingDelivery : public Delivery {
public:
    void Send(ConnectionId connection, std::string_view message) override {
        sent[connection].emplace_back(message);
    }
    void HangUp(ConnectionId connection) override { hungUp.insert(connection); }
    void Log(std::string_view) override {}

    // What the connection was sent since the last call.
    std::vector<std::string> Take(ConnectionId connection) {
        auto messages = std::move(sent[connection]);
        sent[connection].clear();
        return messages;
    }

    std::map<ConnectionId, std::vector<std::string>> sent;
    std::set<ConnectionId> hungUp;
};

} // namespace lobby_server
