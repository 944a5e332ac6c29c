// The name service as the core sees it: a host name or dotted address in,
// an IPv4 address out.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace net {

// Most significant byte first, as the address is written.
using Ipv4Address = std::array<std::uint8_t, 4>;

std::string ToDotted(const Ipv4Address& address);

class NameResolver {
public:
    virtual ~NameResolver() = default;
    // The first address the name service gives, or nullopt when it knows none.
    virtual std::optional<Ipv4Address> Resolve(std::string_view host) = 0;
};

} // namespace net
