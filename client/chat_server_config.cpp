#include "client/chat_server_config.h"

#include "common/config_file.h"

namespace lobby {

ChatServerAddress ReadChatServerAddress(const std::filesystem::path& positionIni) {
    ChatServerAddress address;
    auto lines = config::ReadLinePieces(positionIni);
    if (!lines) return address;
    for (const auto& line : *lines) {
        if (config::FirstWord(line) != "[CHATADDR]") continue;
        config::LineScanner scan(line);
        std::string tag, host;
        scan.Word(tag);
        if (scan.Word(host) && host.size() < kServerHostSize) address.host = host;
        scan.Number(address.port);
        break;
    }
    return address;
}

} // namespace lobby
