// The lobby's one TCP connection to the chat server over WinSock 1.1 with
// asynchronous selection: notifications arrive as SOCKET_MESSAGE on the
// lobby window, so nothing ever blocks the window.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include "client/inbound_queue.h"
#include "client/lobby_controls.h"
#include "client/lobby_transport.h"
#include "client/protocol/wire_format.h"
#include "common/win32/winsock_use.h"

#include <deque>
#include <optional>
#include <string>

inline constexpr UINT SOCKET_MESSAGE = WM_USER + 1;

class ChatConnection : public lobby::LobbyTransport {
public:
    // Status lines go to view's chat list.
    explicit ChatConnection(lobby::LobbyControls& view) : view_(view) {}
    ~ChatConnection() override;
    ChatConnection(const ChatConnection&) = delete;
    ChatConnection& operator=(const ChatConnection&) = delete;

    void SetWindow(HWND window) { window_ = window; }
    void SetServer(std::string host, int port);

    bool Connect() override;
    bool IsOpen() const override { return socket_ != INVALID_SOCKET; }
    void Send(std::string_view message, lobby::Delivery delivery) override;
    void Disconnect(lobby::Delivery delivery) override;

    // The window's SOCKET_MESSAGE: acts on the notification and reports it.
    void OnSocketMessage(WPARAM socket, LPARAM event, lobby::ConnectionEvents& events);
    // The window's WM_TIMER for kFlushTimer: text that waited for its end
    // long enough is a message of its own.
    void OnFlushTimer(lobby::ConnectionEvents& events);
    static constexpr UINT_PTR kFlushTimer = 1040;
    // Our own event of SOCKET_MESSAGE, beside WinSock's: handle the messages
    // that wait behind one whose handler opened a modal loop.
    static constexpr WORD kDeliverWaiting = 0x4000;

    // Closes without telling anyone (the program is ending, or the user
    // asked for it through a notification handled here).
    void Close();

private:
    void Raise(WORD event, lobby::Delivery delivery);
    void Flush();
    void Receive(lobby::ConnectionEvents& events);
    void Deliver(std::vector<std::string> messages, lobby::ConnectionEvents& events);

    lobby::LobbyControls& view_;
    HWND window_ = nullptr;
    std::string host_;
    int port_ = 0;
    // Each attempt has its WinSock use, ended when its socket closes.
    std::optional<win::WinsockUse> winsock_;
    SOCKET socket_ = INVALID_SOCKET;
    // Blocks leave whole and in order; a short send keeps the rest at the front.
    std::deque<lobby::SendBlock> outgoing_;
    std::size_t frontSent_ = 0;
    lobby::ReceiveFramer framer_;
    lobby::InboundQueue inbound_;
};
