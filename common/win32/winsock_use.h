// WinSock 1.1 started for one piece of work (or the whole program) and a
// socket owned by it; both are released when the objects go away, on every
// path.
#pragma once

#include <winsock2.h>

namespace win {

class WinsockUse {
public:
    WinsockUse();
    ~WinsockUse();
    WinsockUse(const WinsockUse&) = delete;
    WinsockUse& operator=(const WinsockUse&) = delete;

    bool Started() const { return started_; }
    // True when WinSock granted exactly version 1.1.
    bool IsVersionOneOne() const;

private:
    bool started_ = false;
    WSADATA data_{};
};

class SocketHandle {
public:
    explicit SocketHandle(SOCKET socket) : socket_(socket) {}
    ~SocketHandle();
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;

    bool Valid() const { return socket_ != INVALID_SOCKET; }
    SOCKET Get() const { return socket_; }

private:
    SOCKET socket_;
};

} // namespace win
