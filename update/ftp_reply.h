// Reading the FTP server's replies that the updater relies on.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace update {

// The size in the last line of a SIZE reply, "213 <bytes>"; nothing for any
// other reply or a number that does not fit.
std::optional<std::uintmax_t> SizeFromReply(std::string_view reply);

} // namespace update
