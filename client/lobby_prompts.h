// The boxes and dialogs the lobby runs over its window, as the session sees
// them: each returns what the user answered.
#pragma once

#include "client/message_icon.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lobby {

// What the room-creation dialog hands back when it is accepted.
struct RoomRequest {
    std::string title;
    unsigned members = 0;
    int gameIndex = 0;  // index into the dialog's game list
    std::string gameName;
};

class LobbyPrompts {
public:
    virtual ~LobbyPrompts() = default;

    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // The room-creation dialog; nullopt when cancelled.
    virtual std::optional<RoomRequest> RunRoomCreation(const std::vector<std::string>& applications) = 0;
    // Memo dialogs. RunReceivedMemo: true when the user answers.
    virtual bool RunReceivedMemo(std::string_view sender, std::string_view text) = 0;
    // The memo text for recipient, or nullopt when cancelled.
    virtual std::optional<std::string> RunMemoSend(std::string_view recipient) = 0;
};

} // namespace lobby
