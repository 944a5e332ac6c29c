#include "common/gateway_address.h"

#include <optional>

#include "common/config_file.h"

namespace gateway {
namespace {

// Resolvers take a bare number such as "192" for an address of its own, so
// the four-number form is recognised before the name service is asked.
std::optional<std::string> FourNumberAddress(std::string_view line) {
    config::LineScanner scanner(line);
    std::string tag;
    int a = 0, b = 0, c = 0, d = 0;
    if (!scanner.Word(tag) || !scanner.Number(a) || !scanner.Number(b) || !scanner.Number(c) || !scanner.Number(d)) {
        return std::nullopt;
    }
    return config::DottedAddress(a, b, c, d).value_or("");
}

} // namespace

std::string GameAddressOfLine(std::string_view line, net::NameResolver& resolver) {
    if (auto numbers = FourNumberAddress(line)) return *numbers;

    config::LineScanner scanner(line);
    std::string tag, host;
    if (!scanner.Word(tag) || !scanner.Word(host)) return {};
    auto address = resolver.Resolve(host);
    return address ? net::ToDotted(*address) : std::string();
}

std::string GameServerAddressFromLines(const std::vector<std::string>& lines, net::NameResolver& resolver) {
    std::string result;
    for (const auto& line : lines) {
        if (config::FirstWord(line) == kGameAddressTag) result = GameAddressOfLine(line, resolver);
    }
    return result;
}

std::string ReadGameServerAddress(const std::filesystem::path& positionFile, net::NameResolver& resolver) {
    auto lines = config::ReadLinePieces(positionFile);
    return lines ? GameServerAddressFromLines(*lines, resolver) : std::string();
}

} // namespace gateway
