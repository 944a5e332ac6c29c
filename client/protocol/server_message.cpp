#include "client/protocol/server_message.h"

#include "client/protocol/server_replies.h"
#include "common/decimal.h"


namespace lobby {
namespace {

// A field that must exist: the fields past the keyword, by position from 1.
bool HasField(const std::vector<std::string>& fields, std::size_t index) { return fields.size() > index; }

} // namespace

std::vector<std::string> SplitTokens(std::string_view text) {
    std::vector<std::string> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('^', pos);
        if (end == std::string_view::npos) end = text.size();
        if (end > pos) tokens.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return tokens;
}

ServerMessage ParseServerMessage(std::string_view text) {
    using namespace message;
    // Most traffic is chat: split into fields only once a keyword matched.
    auto fieldsOf = [text] { return SplitTokens(text); };

    if (text.starts_with("SEND_MAIL^")) {
        const auto fields = fieldsOf();
        if (!HasField(fields, 2)) return Ignored{};
        return Memo{fields[1], fields[2]};
    }
    if (text.starts_with("INFO^")) {
        const auto fields = fieldsOf();
        if (!HasField(fields, 1)) return Ignored{};
        return Info{fields[1]};
    }
    if (text.starts_with("ROOMTITLE^")) {
        const auto fields = fieldsOf();
        if (!HasField(fields, 1)) return RoomListCleared{};
        return RoomList{ParseRoomRows({fields.begin() + 1, fields.end()})};
    }
    if (text.starts_with("ROOM^")) {
        const auto fields = fieldsOf();
        return RoomMembers{{fields.begin() + 1, fields.end()}};
    }
    if (text.starts_with("ROOT^")) {
        const auto fields = fieldsOf();
        return UserList{{fields.begin() + 1, fields.end()}};
    }
    if (text.starts_with("CLIENT_IP_ADDRESS^")) {
        const auto fields = fieldsOf();
        if (text.size() < reply::kClientAddressMinBytes || !HasField(fields, 1)) return Ignored{};
        return ClientAddress{fields[1].substr(0, kClientAddressMaxBytes)};
    }
    if (text == reply::kYouAreHost) return YouAreHost{};
    if (text == reply::kHostGameStart) return HostGameStart{};
    if (text == reply::kNoRooms) return RoomListCleared{};
    if (text.starts_with("ROOMNUMBER^")) {
        const auto fields = fieldsOf();
        if (text.size() < reply::kRoomNumberMinBytes || !HasField(fields, 1)) return Ignored{};
        return RoomNumber{decimal::LeadingInt(fields[1])};
    }
    if (text.starts_with("IDORDER^")) {
        const auto fields = fieldsOf();
        if (text.size() < 9 || !HasField(fields, 1)) return Ignored{};
        return LoginReply{fields[1] != reply::kLoginRefused};
    }
    if (text.starts_with("JOINORDER^")) {
        const auto fields = fieldsOf();
        if (text.size() < 11 || !HasField(fields, 1)) return Ignored{};
        bool yes = fields[1] == "YES";
        bool hasGame = HasField(fields, 3);
        return JoinReply{yes, hasGame, hasGame ? fields[2] : "", hasGame ? decimal::LeadingInt(fields[3]) : 0};
    }
    return ChatLine{std::string(text)};
}

} // namespace lobby
