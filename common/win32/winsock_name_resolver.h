// The name service through WinSock; the caller has WinSock started.
#pragma once

#include "common/name_resolver.h"

namespace win {

class WinsockNameResolver : public net::NameResolver {
public:
    // The first IPv4 address the name service gives; a dotted address the
    // name service does not know is taken as it is written.
    std::optional<net::Ipv4Address> Resolve(std::string_view host) override;
};

} // namespace win
