// Server addresses written in position.ini as a tag and four decimal
// numbers, the address's bytes from the most significant one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/name_resolver.h"

namespace config {

// The address of the last line tagged `tag`. As with a scan into the same
// variables line after line, a line with fewer numbers replaces only those
// it gives. nullopt when a byte is never given or one lies outside 0..255.
std::optional<net::Ipv4Address> LastTaggedAddress(const std::vector<std::string>& lines, std::string_view tag);

} // namespace config
