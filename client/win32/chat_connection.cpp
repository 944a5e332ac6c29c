#include "client/win32/chat_connection.h"

#include <array>
#include <iterator>

namespace {
constexpr long kAfterConnectEvents = FD_READ | FD_WRITE | FD_CLOSE;
} // namespace

ChatConnection::~ChatConnection() { Close(); }

void ChatConnection::SetServer(std::string host, int port) {
    host_ = std::move(host);
    port_ = port;
}

bool ChatConnection::Connect() {
    // A previous attempt's socket is replaced, not leaked, and its WinSock use ended.
    Close();
    if (!winsock_.emplace().Started()) {
        winsock_.reset();
        view_.AddChatLine("윈속 초기화 에러", false);
        return false;
    }
    socket_ = socket(AF_INET, SOCK_STREAM, 0);
    if (socket_ == INVALID_SOCKET) {
        winsock_.reset();
        view_.AddChatLine("소켓생성 에러", false);
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port_ & 0xFFFF));
    address.sin_addr.s_addr = inet_addr(host_.c_str());
    if (hostent* resolved = gethostbyname(host_.c_str()); resolved && resolved->h_addr_list[0]) {
        address.sin_addr = *reinterpret_cast<in_addr*>(resolved->h_addr_list[0]);
    }
    if (WSAAsyncSelect(socket_, window_, SOCKET_MESSAGE, FD_CONNECT) == SOCKET_ERROR) {
        view_.AddChatLine("연결 에러", false);
        return false;
    }
    if (connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == SOCKET_ERROR &&
        WSAGetLastError() != WSAEWOULDBLOCK) {
        view_.AddChatLine("연결 에러", false);
        return false;
    }
    return true;
}

void ChatConnection::Raise(WORD event, lobby::Delivery delivery) {
    WPARAM socket = static_cast<WPARAM>(socket_);
    if (delivery == lobby::Delivery::kSync) {
        SendMessageW(window_, SOCKET_MESSAGE, socket, MAKELPARAM(event, 0));
    } else {
        PostMessageW(window_, SOCKET_MESSAGE, socket, MAKELPARAM(event, 0));
    }
}

void ChatConnection::Send(std::string_view message, lobby::Delivery delivery) {
    if (!IsOpen()) return;  // no connection: the message is lost, as on a dead line
    outgoing_.push_back(lobby::MakeSendBlock(message));
    Raise(FD_WRITE, delivery);
}

void ChatConnection::Disconnect(lobby::Delivery delivery) { Raise(FD_CLOSE, delivery); }

void ChatConnection::OnSocketMessage(WPARAM socket, LPARAM event, lobby::ConnectionEvents& events) {
    // Notifications of an earlier connection's socket are stale.
    if (static_cast<SOCKET>(socket) != socket_ || socket_ == INVALID_SOCKET) return;
    switch (WSAGETSELECTEVENT(event)) {
    case FD_CONNECT:
        if (WSAAsyncSelect(socket_, window_, SOCKET_MESSAGE, kAfterConnectEvents) == SOCKET_ERROR) {
            view_.AddChatLine("Async Select를 할수 없음. ", false);
            return;
        }
        events.OnConnected();
        break;
    case FD_WRITE:
        Flush();
        break;
    case FD_READ:
        Receive(events);
        break;
    case kDeliverWaiting:
        Deliver({}, events);
        break;
    case FD_CLOSE: {
        // What the server said last still counts.
        auto last = framer_.Flush();
        Close();
        Deliver(std::move(last), events);
        events.OnConnectionClosed();
        break;
    }
    default:
        break;
    }
}

void ChatConnection::Flush() {
    while (!outgoing_.empty()) {
        const lobby::SendBlock& block = outgoing_.front();
        int sent = send(socket_, block.data() + frontSent_, static_cast<int>(block.size() - frontSent_), 0);
        if (sent == SOCKET_ERROR) {
            // Would block: the next FD_WRITE goes on. Any other failure loses the block, as a dead line does.
            if (WSAGetLastError() == WSAEWOULDBLOCK) return;
            outgoing_.pop_front();
            frontSent_ = 0;
            continue;
        }
        frontSent_ += static_cast<std::size_t>(sent);
        if (frontSent_ == block.size()) {
            outgoing_.pop_front();
            frontSent_ = 0;
        }
    }
}

void ChatConnection::Receive(lobby::ConnectionEvents& events) {
    // Take everything that has arrived: one notification per buffer would
    // leave a busy server's traffic waiting behind the window's other work.
    std::vector<std::string> messages;
    std::array<char, lobby::kReceiveBufferSize> buffer{};
    for (;;) {
        int received = recv(socket_, buffer.data(), static_cast<int>(buffer.size()), 0);
        if (received <= 0) break;
        auto more = framer_.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(received)));
        messages.insert(messages.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
        if (received < static_cast<int>(buffer.size())) break;
    }
    auto tail = framer_.EndOfReceive();
    messages.insert(messages.end(), std::make_move_iterator(tail.begin()), std::make_move_iterator(tail.end()));
    // Each receive starts the quiet time afresh.
    if (auto quiet = framer_.QuietFlushMs()) {
        SetTimer(window_, kFlushTimer, *quiet, nullptr);
    } else {
        KillTimer(window_, kFlushTimer);
    }
    Deliver(std::move(messages), events);
}

void ChatConnection::OnFlushTimer(lobby::ConnectionEvents& events) {
    KillTimer(window_, kFlushTimer);
    Deliver(framer_.Flush(), events);
}

void ChatConnection::Deliver(std::vector<std::string> messages, lobby::ConnectionEvents& events) {
    inbound_.Deliver(std::move(messages), [this, &events](const std::string& message) {
        // A handler may open a memo or a notice, whose loop then goes on with
        // the messages behind this one, even when no more data arrives.
        if (inbound_.Waiting()) Raise(kDeliverWaiting, lobby::Delivery::kPosted);
        events.HandleServerMessage(message);
    });
}

void ChatConnection::Close() {
    if (socket_ == INVALID_SOCKET) return;
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
    outgoing_.clear();
    frontSent_ = 0;
    framer_.Reset();
    KillTimer(window_, kFlushTimer);
    winsock_.reset();
}
