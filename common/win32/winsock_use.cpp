#include "common/win32/winsock_use.h"

namespace win {
namespace {
constexpr WORD kVersionOneOne = MAKEWORD(1, 1);
}

WinsockUse::WinsockUse() { started_ = WSAStartup(kVersionOneOne, &data_) == 0; }

WinsockUse::~WinsockUse() {
    if (started_) WSACleanup();
}

bool WinsockUse::IsVersionOneOne() const { return started_ && data_.wVersion == kVersionOneOne; }

SocketHandle::~SocketHandle() {
    if (Valid()) closesocket(socket_);
}

} // namespace win
