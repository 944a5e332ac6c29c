#include "gatelog/win32/winsock_port_probe.h"

#include <cstring>

#include "common/win32/winsock_name_resolver.h"
#include "common/win32/winsock_use.h"

namespace gatelog {

bool WinsockPortProbe::ProbeBattleNetPort(std::string_view host) {
    win::WinsockUse winsock;
    if (!winsock.Started()) return false;
    win::SocketHandle tcp(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!tcp.Valid()) return false;
    auto address = win::WinsockNameResolver().Resolve(host);
    if (!address) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kBattleNetPort);
    std::memcpy(&to.sin_addr, address->data(), address->size());
    return connect(tcp.Get(), reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
}

} // namespace gatelog
