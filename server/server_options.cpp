#include "server/server_options.h"

#include "common/decimal.h"

#include <optional>

namespace lobby_server {
namespace {

std::optional<unsigned long> Number(const std::string& text, unsigned long min, unsigned long max) {
    auto value = decimal::ParseDigits<unsigned long>(text);
    if (!value || *value < min || *value > max) return std::nullopt;
    return value;
}

} // namespace

std::variant<ServerOptions, std::string> ParseOptions(const std::vector<std::string>& arguments) {
    ServerOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name != "--port" && name != "--bind" && name != "--idle-timeout" && name != "--max-connections")
            return "unknown option " + name;
        if (i + 1 == arguments.size()) return name + " needs a value";
        const std::string& value = arguments[++i];
        if (name == "--bind") {
            options.bind = value;
            continue;
        }
        auto number = name == "--port"           ? Number(value, 0, 65535)
                      : name == "--idle-timeout" ? Number(value, 1, 24 * 3600)
                                                 : Number(value, 1, 100000);
        if (!number) return "bad value for " + name + ": " + value;
        if (name == "--port") options.port = static_cast<std::uint16_t>(*number);
        else if (name == "--idle-timeout") options.idleTimeoutSeconds = static_cast<unsigned>(*number);
        else options.maxConnections = *number;
    }
    return options;
}

} // namespace lobby_server
