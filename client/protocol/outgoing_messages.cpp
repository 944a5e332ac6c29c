#include "client/protocol/outgoing_messages.h"

#include "client/protocol/wire_format.h"

namespace lobby::outgoing {

std::string Login(std::string_view userId) { return "ID^" + std::string(userId); }

std::string NewRoom(std::string_view title, unsigned capacity, int gameKind, std::string_view gameName) {
    return "NEW^" + std::string(title) + "^" + std::to_string(capacity) + "^" + std::to_string(gameKind) + "^" +
           std::string(gameName) + "^";
}

std::string Join(int roomNumber) { return "JOIN^" + std::to_string(roomNumber); }

std::string Memo(std::string_view recipient, std::string_view text) {
    return "FIND_USER^" + std::string(recipient) + "^" + std::string(text);
}

std::size_t MaxMemoTextBytes(std::string_view recipient) {
    std::size_t frame = Memo(recipient, "").size();
    return frame < kMaxMessageBytes ? kMaxMessageBytes - frame : 0;
}

} // namespace lobby::outgoing
