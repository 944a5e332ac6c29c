#include "dialer/item_launch.h"

namespace dialer {

std::string BrowserCommand(std::string_view registered, std::string_view address) {
    std::string command(registered);
    if (command.find("NETSCAPE") != std::string::npos) {
        auto placeholder = command.find('%');
        if (placeholder != std::string::npos) command.resize(placeholder > 0 ? placeholder - 1 : 0);
    }
    return command + " " + std::string(address);
}

} // namespace dialer
