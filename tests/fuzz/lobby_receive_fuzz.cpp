// Whatever a chat server sends, cut anywhere by the network, and whatever the
// user does in between, the lobby's session must stay sound.
#include "tests/unit/client/recording_lobby.h"
#include "client/protocol/wire_format.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lobby_test::RecordingView view;
    view.applications = {"Game", "Other"};
    view.roomRequest = lobby::RoomRequest{"title", 4, 1, "Game"};
    view.answerMemo = true;
    view.memoText = "reply";
    lobby_test::RecordingTransport transport;
    lobby::LobbySession session(view, view, view, transport);
    session.OnIdPromptClosed(std::string("fuzz"));
    lobby::ReceiveFramer framer;

    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        // The first byte of each chunk picks its length and a user action.
        auto control = static_cast<std::uint8_t>(input.front());
        input.remove_prefix(1);
        std::size_t length = std::min<std::size_t>(input.size(), (control & 0x3F) * 8 + 1);
        for (const auto& message : framer.Feed(input.substr(0, length))) session.HandleServerMessage(message);
        input.remove_prefix(length);
        switch (control >> 6) {
        case 1: session.OnRoomRowChanged(control & 3); session.OnJoinButton(); break;
        case 2: session.OnCreateButton(); break;
        case 3: session.LeaveRoom(); break;
        default: break;
        }
    }
    for (const auto& message : framer.Flush()) session.HandleServerMessage(message);
    return 0;
}
