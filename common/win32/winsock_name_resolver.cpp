#include "common/win32/winsock_name_resolver.h"

#include <winsock2.h>

#include <cstring>
#include <string>

namespace win {

std::optional<net::Ipv4Address> WinsockNameResolver::Resolve(std::string_view host) {
    if (host.empty()) return std::nullopt;
    std::string name(host);
    net::Ipv4Address address{};
    if (const hostent* entry = gethostbyname(name.c_str());
        entry && entry->h_addrtype == AF_INET && entry->h_length == 4 && entry->h_addr_list[0]) {
        std::memcpy(address.data(), entry->h_addr_list[0], address.size());
        return address;
    }
    unsigned long dotted = inet_addr(name.c_str());
    if (dotted == INADDR_NONE) return std::nullopt;
    std::memcpy(address.data(), &dotted, address.size());
    return address;
}

} // namespace win
