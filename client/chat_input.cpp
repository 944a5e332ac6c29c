#include "client/chat_input.h"

#include "common/cp949.h"

namespace lobby {

std::optional<std::string> ChatLineFor(std::string_view chatPrefix, std::string_view text) {
    if (cp949::HasCaret(text)) return std::nullopt;
    std::string line(chatPrefix);
    line += ' ';
    line += text;
    return line;
}

} // namespace lobby
