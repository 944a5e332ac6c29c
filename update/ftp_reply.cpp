#include "update/ftp_reply.h"

#include <limits>

namespace update {
namespace {
constexpr std::string_view kSizeReply = "213 ";
}

std::optional<std::uintmax_t> SizeFromReply(std::string_view reply) {
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) reply.remove_suffix(1);
    std::size_t lineStart = reply.rfind('\n');
    std::string_view line = reply.substr(lineStart == std::string_view::npos ? 0 : lineStart + 1);
    if (!line.starts_with(kSizeReply)) return std::nullopt;
    line.remove_prefix(kSizeReply.size());
    if (line.empty()) return std::nullopt;
    std::uintmax_t size = 0;
    for (char c : line) {
        if (c < '0' || c > '9') return std::nullopt;
        auto digit = static_cast<std::uintmax_t>(c - '0');
        if (size > (std::numeric_limits<std::uintmax_t>::max() - digit) / 10) return std::nullopt;
        size = size * 10 + digit;
    }
    return size;
}

} // namespace update
