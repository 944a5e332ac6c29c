#include "server/lobby.h"

#include "client/games/game_records.h"
#include "client/protocol/server_replies.h"
#include "client/room_creation.h"
#include "client/user_id.h"
#include "server/notices.h"

#include <algorithm>
#include <iterator>

namespace lobby_server {
namespace {

template <class... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
// Spelt out for compilers without aggregate deduction (clang 14, which fuzzes this file).
template <class... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

bool IsAcceptableUserId(std::string_view id) {
    bool control = std::any_of(id.begin(), id.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return lobby::CheckUserId(id) == lobby::UserIdCheck::Accepted && id.size() <= lobby::kUserIdMaxBytes && !control;
}

bool IsAcceptableRoom(const lobby::request::NewRoom& room) {
    return room.title.size() <= lobby::kRoomTitleMaxBytes && room.gameName.size() <= lobby::kGameNameMaxBytes &&
           room.capacity >= static_cast<int>(lobby::kMinMembers) &&
           room.capacity <= static_cast<int>(lobby::kMaxMembers) && room.gameKind >= lobby::kStarCraft &&
           room.gameKind <= lobby::kRegisteredGame;
}

} // namespace

lobby::SendBlock FramedBlock(std::string_view message) {
    return lobby::MakeSendBlock(std::string(kHeader) + "^" + std::string(message));
}

void Lobby::Connected(ConnectionId id, std::string address, Millis now) {
    if (connections_.size() >= limits_.maxConnections) {
        Log("refused #" + std::to_string(id) + " from " + address + ": " + std::to_string(connections_.size()) +
            " connections already");
        delivery_.Send(id, lobby::reply::Info(notice::kServerFull));
        delivery_.HangUp(id);
        return;
    }
    Log("connected #" + std::to_string(id) + " from " + address);
    connections_.emplace(id, Connection{std::move(address), {}, {}, now, FloodGuard(now)});
}

void Lobby::Received(ConnectionId id, std::string_view block, Millis now) {
    auto found = connections_.find(id);
    if (found == connections_.end()) return;
    Connection& sender = found->second;
    sender.lastHeard = now;
    if (!sender.flood.Allow(now)) {
        delivery_.Send(id, lobby::reply::Info(notice::kFlood));
        Drop(id, "flooding");
        return;
    }
    std::optional<std::string_view> text = lobby::TextOfBlock(block);
    if (!text) return Refuse(id, notice::kTooLong, "a block without its NUL");
    if (text->empty()) return;
    lobby::ClientMessage message = lobby::ParseClientMessage(*text);
    if (sender.userId.empty() && !std::holds_alternative<lobby::request::Login>(message) &&
        !std::holds_alternative<lobby::request::Malformed>(message))
        return Refuse(id, notice::kLogInFirst, "a message before the login");
    Handle(id, sender, message);
}

void Lobby::Handle(ConnectionId id, Connection& sender, const lobby::ClientMessage& message) {
    using namespace lobby::request;
    std::visit(Overloaded{
                   [&](const Login& login) { LogIn(id, sender, login.userId); },
                   [](const Alive&) {},
                   [&](const Chat& chat) { RelayChat(id, sender, chat.line); },
                   [&](const NewRoom& room) { CreateRoom(id, sender, room); },
                   [&](const Join& join) { JoinRoom(id, sender, join.roomNumber); },
                   [&](const Leave&) { LeaveByRequest(id, sender); },
                   [&](const Memo& memo) { SendMemo(id, sender, memo); },
                   [&](const HostGameStart&) { StartGame(id, sender); },
                   [&](const Malformed& bad) { Refuse(id, notice::kMalformed, "a malformed " + bad.keyword); },
                   [&](const Unknown&) { Refuse(id, notice::kUnknown, "an unknown message"); },
               },
               message);
}

void Lobby::LogIn(ConnectionId id, Connection& sender, const std::string& userId) {
    if (!sender.userId.empty()) return Refuse(id, notice::kAlreadyLoggedIn, "a second login");
    if (!IsAcceptableUserId(userId)) {
        delivery_.Send(id, lobby::reply::Info(notice::kBadUserId));
        delivery_.Send(id, lobby::reply::LoginReply(false));
        return Log("refused login of #" + std::to_string(id) + ": ID breaks the rules");
    }
    if (users_.count(userId)) {
        delivery_.Send(id, lobby::reply::LoginReply(false));
        return Log("refused login of #" + std::to_string(id) + ": " + userId + " is taken");
    }
    sender.userId = userId;
    users_.emplace(userId, id);
    Log("login " + Name(id) + " from " + sender.address);
    delivery_.Send(id, lobby::reply::LoginReply(true));
    delivery_.Send(id, lobby::reply::ClientAddress(sender.address));
    PublishUsers();
    delivery_.Send(id, RoomList());
}

void Lobby::RelayChat(ConnectionId id, const Connection& sender, const std::string& line) {
    // The line starts with the sender's own bracketed ID; nobody speaks in another's name.
    std::string prefix = lobby::ChatPrefix(sender.userId);
    if (line.compare(0, prefix.size(), prefix) != 0)
        return Refuse(id, notice::kChatNotYours, "a chat line in another name");
    if (sender.room) return SendToRoom(*rooms_[*sender.room], line);
    for (const auto& [userId, listener] : users_)
        if (!connections_.at(listener).room) delivery_.Send(listener, line);
}

void Lobby::CreateRoom(ConnectionId id, Connection& sender, const lobby::request::NewRoom& request) {
    if (sender.room) return Refuse(id, notice::kAlreadyInRoom, "a new room from inside a room");
    if (!IsAcceptableRoom(request)) return Refuse(id, notice::kBadRoom, "a room with bad fields");
    auto free = std::find_if(rooms_.begin(), rooms_.end(), [](const auto& room) { return !room; });
    if (free == rooms_.end()) return Refuse(id, notice::kNoFreeRoom, "a new room: every number is taken");
    int number = static_cast<int>(std::distance(rooms_.begin(), free));
    *free = Room{request.title, request.capacity, request.gameKind, request.gameName, {id}, false};
    sender.room = number;
    Log("room " + std::to_string(number) + " created by " + Name(id) + ": " + request.title + " for " +
        std::to_string(request.capacity) + ", " + request.gameName);
    delivery_.Send(id, lobby::reply::RoomNumber(number));
    delivery_.Send(id, lobby::reply::kYouAreHost);
    delivery_.Send(id, lobby::reply::RoomMembers(MemberIds(**free)));
    PublishRooms();
}

void Lobby::JoinRoom(ConnectionId id, Connection& sender, int number) {
    const char* refusal = nullptr;
    Room* room = number >= 0 && number < lobby::kRoomNumberCount && rooms_[number] ? &*rooms_[number] : nullptr;
    if (sender.room) refusal = notice::kAlreadyInRoom;
    else if (!room) refusal = notice::kNoSuchRoom;
    else if (room->playing) refusal = notice::kRoomPlaying;
    else if (room->members.size() >= static_cast<std::size_t>(room->capacity)) refusal = notice::kRoomFull;
    if (refusal) {
        delivery_.Send(id, lobby::reply::JoinRefused());
        return Refuse(id, refusal, "a join of room " + std::to_string(number));
    }
    room->members.push_back(id);
    sender.room = number;
    Log(Name(id) + " joined room " + std::to_string(number));
    // Members start their games against the host: a DirectPlay guest joins
    // the session there, and a registered game shows it as the host's address.
    delivery_.Send(id, lobby::reply::ClientAddress(connections_.at(room->members.front()).address));
    delivery_.Send(id, lobby::reply::JoinAccepted(room->gameName, room->gameKind));
    SendToRoom(*room, lobby::reply::RoomMembers(MemberIds(*room)));
    PublishRooms();
}

void Lobby::LeaveRoom(ConnectionId id, Connection& sender) {
    if (!sender.room) return;
    int number = *sender.room;
    Room& room = *rooms_[number];
    sender.room.reset();
    bool wasHost = room.members.front() == id;
    room.members.erase(std::find(room.members.begin(), room.members.end(), id));
    Log(Name(id) + " left room " + std::to_string(number));
    if (room.members.empty()) {
        rooms_[number].reset();
        Log("room " + std::to_string(number) + " closed");
    } else {
        if (wasHost) {
            ConnectionId host = room.members.front();
            Log("room " + std::to_string(number) + " handed to " + Name(host));
            SendToRoom(room, lobby::reply::ClientAddress(connections_.at(host).address));
            delivery_.Send(host, lobby::reply::kYouAreHost);
        }
        SendToRoom(room, lobby::reply::RoomMembers(MemberIds(room)));
    }
    PublishRooms();
}

// Back in the lobby, the user's own address is the one its next room starts against.
void Lobby::LeaveByRequest(ConnectionId id, Connection& sender) {
    if (!sender.room) return;
    LeaveRoom(id, sender);
    delivery_.Send(id, lobby::reply::ClientAddress(sender.address));
}

void Lobby::SendMemo(ConnectionId id, const Connection& sender, const lobby::request::Memo& memo) {
    auto recipient = users_.find(memo.recipient);
    if (recipient == users_.end())
        return Refuse(id, memo.recipient + notice::kNotHere, "a memo to someone not here");
    delivery_.Send(recipient->second, lobby::reply::Memo(sender.userId, memo.text));
}

void Lobby::StartGame(ConnectionId id, const Connection& sender) {
    Room* room = sender.room ? &*rooms_[*sender.room] : nullptr;
    if (!room || room->members.front() != id) return Refuse(id, notice::kOnlyHostStarts, "a start by a guest");
    room->playing = true;
    Log("room " + std::to_string(*sender.room) + " started by " + Name(id));
    SendToRoom(*room, lobby::reply::kHostGameStart, id);
    PublishRooms();
}

void Lobby::Disconnected(ConnectionId id) {
    if (!connections_.count(id)) return;
    Log("disconnected " + Name(id));
    Forget(id);
}

void Lobby::DropSilent(Millis now) {
    std::vector<ConnectionId> silent;
    for (const auto& [id, connection] : connections_)
        if (now - connection.lastHeard > limits_.idleTimeout) silent.push_back(id);
    for (ConnectionId id : silent) Drop(id, "silent past the time-out");
}

void Lobby::Drop(ConnectionId id, std::string_view reason) {
    Log("dropped " + Name(id) + ": " + std::string(reason));
    Forget(id);
    delivery_.HangUp(id);
}

// Nothing more goes to the connection: it is out of the lists before they go out.
void Lobby::Forget(ConnectionId id) {
    Connection& connection = connections_.at(id);
    bool loggedIn = !connection.userId.empty();
    if (loggedIn) {
        users_.erase(connection.userId);
        LeaveRoom(id, connection);
    }
    connections_.erase(id);
    if (loggedIn) PublishUsers();
}

void Lobby::Refuse(ConnectionId id, std::string_view notice, std::string_view logLine) {
    Log("refused " + std::string(logLine) + " from " + Name(id));
    delivery_.Send(id, lobby::reply::Info(notice));
}

void Lobby::SendToRoom(const Room& room, std::string_view message, std::optional<ConnectionId> except) {
    for (ConnectionId member : room.members)
        if (member != except) delivery_.Send(member, message);
}

void Lobby::PublishUsers() {
    std::vector<std::string> ids;
    for (const auto& entry : users_) ids.push_back(entry.first);
    std::string list = lobby::reply::UserList(ids, kMaxServerMessageBytes);
    for (const auto& [userId, id] : users_) delivery_.Send(id, list);
}

void Lobby::PublishRooms() {
    std::string list = RoomList();
    for (const auto& [userId, id] : users_) delivery_.Send(id, list);
}

std::string Lobby::RoomList() const {
    std::vector<lobby::RoomRow> rows;
    for (std::size_t number = 0; number < rooms_.size(); ++number) {
        if (!rooms_[number]) continue;
        const Room& room = *rooms_[number];
        rows.push_back({room.title, static_cast<int>(number), std::to_string(room.members.size()),
                        std::to_string(room.capacity), room.gameName, !room.playing});
    }
    return lobby::reply::RoomList(rows, kMaxServerMessageBytes);
}

std::vector<std::string> Lobby::MemberIds(const Room& room) const {
    std::vector<std::string> ids;
    for (ConnectionId member : room.members) ids.push_back(connections_.at(member).userId);
    return ids;
}

std::string Lobby::Name(ConnectionId id) const {
    auto found = connections_.find(id);
    std::string number = "#" + std::to_string(id);
    if (found == connections_.end() || found->second.userId.empty()) return number;
    return found->second.userId + " (" + number + ")";
}

} // namespace lobby_server
