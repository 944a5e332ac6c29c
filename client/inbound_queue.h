// Received messages wait here until they are handled, oldest first. Handling
// one can run a modal dialog whose loop receives and delivers more: those
// join the same queue behind the ones already waiting, which the inner
// delivery then handles first, so the order holds and the connection keeps
// being served while the dialog is open.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace lobby {

class InboundQueue {
public:
    template <typename Handler>
    void Deliver(std::vector<std::string> messages, Handler&& handle) {
        for (auto& message : messages) waiting_.push_back(std::move(message));
        while (!waiting_.empty()) {
            std::string message = std::move(waiting_.front());
            waiting_.pop_front();
            handle(message);
        }
    }

    // Messages wait behind the one being handled.
    bool Waiting() const { return !waiting_.empty(); }

private:
    std::deque<std::string> waiting_;
};

} // namespace lobby
