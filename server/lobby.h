// The lobby as the server keeps it: who is logged in, the rooms 0 to 65 and
// their members, and what each message from a client makes happen.
#pragma once

#include "client/protocol/client_message.h"
#include "client/protocol/room_row.h"
#include "client/protocol/wire_format.h"
#include "server/delivery.h"
#include "server/flood_guard.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lobby_server {

// Times are milliseconds of a monotonic clock.
using Millis = std::int64_t;

// What the server puts before the first caret of every message.
inline constexpr std::string_view kHeader = "LOBBY";
// The longest message that fits one block behind the header and its caret.
inline constexpr std::size_t kMaxServerMessageBytes = lobby::kMaxMessageBytes - kHeader.size() - 1;

// The header, the message and the NUL padding, as it goes on the wire.
lobby::SendBlock FramedBlock(std::string_view message);

struct LobbyLimits {
    std::size_t maxConnections = 1000;
    // The client sends its keep-alive every 180 s: three missed ones drop it.
    Millis idleTimeout = 540'000;
};

class Lobby {
public:
    Lobby(Delivery& delivery, LobbyLimits limits) : delivery_(delivery), limits_(limits) {}

    // A new connection from address; refused when the limit is reached.
    void Connected(ConnectionId connection, std::string address, Millis now);
    // One whole block from the connection.
    void Received(ConnectionId connection, std::string_view block, Millis now);
    // The peer closed the connection or it failed.
    void Disconnected(ConnectionId connection);
    // Drops every connection silent for longer than the idle time-out.
    void DropSilent(Millis now);

    std::size_t ConnectionCount() const { return connections_.size(); }

private:
    struct Connection {
        std::string address;
        std::string userId;  // empty until logged in
        std::optional<int> room;
        Millis lastHeard;
        FloodGuard flood;
    };
    struct Room {
        std::string title;
        int capacity = 0;
        int gameKind = 0;
        std::string gameName;
        std::vector<ConnectionId> members;  // the first one is the host
        bool playing = false;
    };

    void Handle(ConnectionId id, Connection& sender, const lobby::ClientMessage& message);
    void LogIn(ConnectionId id, Connection& sender, const std::string& userId);
    void RelayChat(ConnectionId id, const Connection& sender, const std::string& line);
    void CreateRoom(ConnectionId id, Connection& sender, const lobby::request::NewRoom& request);
    void JoinRoom(ConnectionId id, Connection& sender, int number);
    void LeaveRoom(ConnectionId id, Connection& sender);
    void LeaveByRequest(ConnectionId id, Connection& sender);
    void SendMemo(ConnectionId id, const Connection& sender, const lobby::request::Memo& memo);
    void StartGame(ConnectionId id, const Connection& sender);

    void Drop(ConnectionId id, std::string_view reason);
    void Forget(ConnectionId id);
    void Refuse(ConnectionId id, std::string_view notice, std::string_view logLine);
    void SendToRoom(const Room& room, std::string_view message, std::optional<ConnectionId> except = {});
    void PublishUsers();
    void PublishRooms();
    std::string RoomList() const;
    std::vector<std::string> MemberIds(const Room& room) const;
    std::string Name(ConnectionId id) const;
    void Log(std::string line) { delivery_.Log(line); }

    Delivery& delivery_;
    LobbyLimits limits_;
    std::map<ConnectionId, Connection> connections_;
    std::map<std::string, ConnectionId> users_;  // logged in, in byte order of their IDs
    std::array<std::optional<Room>, lobby::kRoomNumberCount> rooms_;
};

} // namespace lobby_server
