// Whatever clients send the lobby server, block by block from several
// connections that come, go and fall silent, its lobby must stay sound.
#include "server/lobby.h"
#include "tests/unit/server/recording_delivery.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lobby_server::RecordingDelivery delivery;
    lobby_server::Lobby lobby(delivery, {4, 10'000});
    lobby_server::Millis now = 0;

    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (input.size() >= 2) {
        // Two control bytes: the connection and what happens, then the length
        // of a block, up to a whole one.
        auto control = static_cast<std::uint8_t>(input[0]);
        std::size_t wanted = (static_cast<std::uint8_t>(input[1]) + 1u) * 2;
        std::size_t length = std::min(input.size() - 2, wanted);
        std::string_view block = input.substr(2, length);
        input.remove_prefix(2 + length);
        lobby_server::ConnectionId connection = control & 7;
        switch (control >> 3 & 3) {
        case 0: lobby.Connected(connection, "10.0.0.1", now); break;
        case 1: lobby.Disconnected(connection); break;
        case 2: now += (control >> 5) * 3'000; lobby.DropSilent(now); break;
        default: break;
        }
        lobby.Received(connection, block, now);
        delivery.sent.clear();
    }
    return 0;
}
