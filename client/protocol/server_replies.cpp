#include "client/protocol/server_replies.h"

namespace lobby::reply {
namespace {

std::string PaddedTo(std::string message, std::size_t minimum) {
    message += '^';
    do message += '0';
    while (message.size() < minimum);
    return message;
}

std::string ListOf(std::string keyword, const std::vector<std::string>& items, std::size_t maxBytes) {
    std::string message = std::move(keyword);
    for (const auto& item : items) {
        std::size_t separator = message.back() == '^' ? 0 : 1;
        if (message.size() + separator + item.size() > maxBytes) break;
        if (separator) message += '^';
        message += item;
    }
    return message;
}

std::string RowFields(const RoomRow& row, std::string_view end) {
    return row.title + "^" + std::to_string(row.number) + "^0^" + row.firstCount + "^" + row.secondCount + "^" +
           row.gameName + "^" + (row.waiting ? "YES" : "NO") + "^" + std::string(end);
}

} // namespace

std::string LoginReply(bool accepted) {
    return std::string("IDORDER^") + (accepted ? kLoginAccepted : kLoginRefused);
}

std::string ClientAddress(std::string_view address) {
    return PaddedTo("CLIENT_IP_ADDRESS^" + std::string(address), kClientAddressMinBytes);
}

std::string RoomNumber(int number) { return PaddedTo("ROOMNUMBER^" + std::to_string(number), kRoomNumberMinBytes); }

std::string JoinAccepted(std::string_view gameName, int gameKind) {
    return "JOINORDER^YES^" + std::string(gameName) + "^" + std::to_string(gameKind);
}

std::string JoinRefused() { return std::string("JOINORDER^") + kJoinRefused; }

std::string Memo(std::string_view sender, std::string_view text) {
    // An empty text would leave the field out, and the client would drop the memo.
    return "SEND_MAIL^" + std::string(sender) + "^" + (text.empty() ? std::string(" ") : std::string(text));
}

std::string Info(std::string_view text) { return "INFO^" + std::string(text); }

std::string RoomMembers(const std::vector<std::string>& ids) { return ListOf("ROOM^", ids, std::string::npos); }

std::string UserList(const std::vector<std::string>& ids, std::size_t maxBytes) {
    return ListOf("ROOT^", ids, maxBytes);
}

std::string RoomList(const std::vector<RoomRow>& rows, std::size_t maxBytes) {
    std::string list = kNoRooms;
    std::string earlierRows = "ROOMTITLE^";
    for (const auto& row : rows) {
        std::string withThisLast = earlierRows + RowFields(row, "[END]");
        if (withThisLast.size() > maxBytes) break;
        list = std::move(withThisLast);
        earlierRows += RowFields(row, "-") + "^";
    }
    return list;
}

} // namespace lobby::reply
