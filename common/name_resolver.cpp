#include "common/name_resolver.h"

namespace net {

std::string ToDotted(const Ipv4Address& address) {
    std::string out;
    for (std::uint8_t part : address) {
        if (!out.empty()) out += '.';
        out += std::to_string(part);
    }
    return out;
}

} // namespace net
