#include "client/games/lobby_launch.h"

#include "common/config_file.h"

namespace lobby {
namespace {

constexpr std::string_view kGameAddressTag = "[GAMEADDR]";
constexpr std::size_t kKindField = 1;
constexpr std::size_t kCommandField = 3;

std::string GatewayOfLine(std::string_view line, net::NameResolver& resolver) {
    config::LineScanner scanner(line);
    std::string tag, host;
    if (!scanner.Word(tag) || !scanner.Word(host) || host.size() > kMaxGatewayHostBytes) return {};
    auto address = resolver.Resolve(host);
    return address ? net::ToDotted(*address) : host;
}

} // namespace

std::string LobbyGatewayText(const std::vector<std::string>& lines, net::NameResolver& resolver) {
    std::string text;
    for (const auto& line : lines) {
        if (config::FirstWord(line) == kGameAddressTag) text = GatewayOfLine(line, resolver);
    }
    return text;
}

std::optional<std::string> InternetCommand(const std::vector<std::string>& lines) {
    for (const auto& line : lines) {
        auto fields = config::SplitFields(line);
        if (fields.size() <= kKindField || fields[kKindField] != kInternetKind) continue;
        if (fields.size() <= kCommandField || fields[kCommandField].empty()) return std::nullopt;
        return fields[kCommandField];
    }
    return std::nullopt;
}

} // namespace lobby
