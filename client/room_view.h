// The room window, as the session sees it: opened as host or guest, closed
// when the room is left, and showing what the server says about the room.
#pragma once

#include "client/message_icon.h"

#include <string>
#include <string_view>
#include <vector>

namespace lobby {

class RoomView {
public:
    virtual ~RoomView() = default;

    virtual void OpenRoomWindow(std::string_view title, bool host) = 0;
    virtual void CloseRoomWindow() = 0;
    virtual void ShowRoomChatLine(std::string_view line) = 0;
    // The members, already in their order.
    virtual void ShowRoomMembers(const std::vector<std::string>& ids) = 0;
    virtual void GrantRoomHost() = 0;
    // A box over the room window about what was done in it.
    virtual void ShowRoomMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
};

} // namespace lobby
