#include "wire_format.h"

#include "cp949.h"

#include <algorithm>

namespace lobby {

SendBlock MakeSendBlock(std::string_view message) {
    SendBlock block{};
    std::string_view fitting = cp949::CutToBytes(message.substr(0, message.find('\0')), kMaxMessageBytes);
    fitting.copy(block.data(), fitting.size());
    return block;
}

std::string StripHeader(std::string_view framed) {
    std::size_t caret = framed.find('^');
    if (caret != std::string_view::npos) return std::string(framed.substr(caret + 1));
    if (framed.empty()) return {};
    return std::string(framed.substr(0, framed.size() - 1));
}

std::vector<std::string> SplitReceived(std::string_view data) {
    std::vector<std::string> messages;
    // Padding is long runs of NUL: skip a run at once.
    std::size_t start = data.find_first_not_of('\0');
    while (start != std::string_view::npos) {
        std::size_t end = std::min(data.find('\0', start), data.size());
        std::string message = StripHeader(data.substr(start, end - start));
        if (!message.empty()) messages.push_back(std::move(message));
        start = data.find_first_not_of('\0', end);
    }
    return messages;
}

} // namespace lobby
