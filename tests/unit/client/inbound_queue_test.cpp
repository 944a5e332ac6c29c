#include "client/inbound_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A handler that, like a memo dialog's message loop, receives more while it
// handles "mail".
struct NestedReceiver {
    lobby::InboundQueue& queue;
    std::vector<std::string> arrivingMeanwhile;
    std::vector<std::string> handled;

    void operator()(const std::string& message) {
        handled.push_back(message);
        if (message != "mail") return;
        auto late = std::move(arrivingMeanwhile);
        arrivingMeanwhile.clear();
        queue.Deliver(std::move(late), *this);
    }
};

TEST(InboundQueue, MessagesOfOneReceiveAreHandledInOrder) {
    lobby::InboundQueue queue;
    std::vector<std::string> handled;
    queue.Deliver({"a", "b", "c"}, [&](const std::string& m) { handled.push_back(m); });
    queue.Deliver({"d"}, [&](const std::string& m) { handled.push_back(m); });
    EXPECT_EQ(handled, (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST(InboundQueue, WhatArrivesDuringAHandlerComesAfterWhatWasWaiting) {
    lobby::InboundQueue queue;
    NestedReceiver receiver{queue, {"late1", "late2"}, {}};
    queue.Deliver({"mail", "next", "last"}, receiver);
    EXPECT_EQ(receiver.handled, (std::vector<std::string>{"mail", "next", "last", "late1", "late2"}));
}

TEST(InboundQueue, NothingIsHandledTwice) {
    lobby::InboundQueue queue;
    NestedReceiver receiver{queue, {"mail"}, {}};  // a second mail arrives during the first
    queue.Deliver({"mail", "x"}, receiver);
    EXPECT_EQ(receiver.handled, (std::vector<std::string>{"mail", "x", "mail"}));
}

} // namespace
