#include "client/protocol/client_message.h"

#include "client/protocol/outgoing_messages.h"
#include "common/config_file.h"
#include "common/decimal.h"

#include <algorithm>
#include <vector>

namespace lobby {
namespace {

// Exactly count fields, each non-empty; the last may end the text with one caret.
std::optional<std::vector<std::string>> ExactFields(std::string_view text, std::size_t count, bool trailingCaret) {
    if (trailingCaret) {
        if (text.empty() || text.back() != '^') return std::nullopt;
        text.remove_suffix(1);
    }
    std::vector<std::string> fields = config::SplitFields(text);
    if (fields.size() != count || std::any_of(fields.begin(), fields.end(), [](auto& f) { return f.empty(); })) {
        return std::nullopt;
    }
    return fields;
}

ClientMessage Malformed(std::string_view keyword) { return request::Malformed{std::string(keyword)}; }

} // namespace

std::optional<std::string_view> TextOfBlock(std::string_view block) {
    std::size_t nul = block.find('\0');
    if (nul == std::string_view::npos) return std::nullopt;
    return block.substr(0, nul);
}

ClientMessage ParseClientMessage(std::string_view text) {
    // Every chat line starts with the sender's bracketed ID, never with a keyword.
    if (text.starts_with("[")) return request::Chat{std::string(text)};
    if (text == outgoing::kAlive) return request::Alive{};
    if (text == outgoing::kLeaveRoom) return request::Leave{};
    if (text == outgoing::kHostGameStart) return request::HostGameStart{};
    if (text.starts_with("ID^")) {
        auto fields = ExactFields(text.substr(3), 1, false);
        if (!fields) return Malformed("ID^");
        return request::Login{(*fields)[0]};
    }
    if (text.starts_with("NEW^")) {
        auto fields = ExactFields(text.substr(4), 4, true);
        std::optional<int> capacity = fields ? decimal::ParseDigits<int>((*fields)[1]) : std::nullopt;
        std::optional<int> kind = fields ? decimal::ParseDigits<int>((*fields)[2]) : std::nullopt;
        if (!capacity || !kind) return Malformed("NEW^");
        return request::NewRoom{(*fields)[0], *capacity, *kind, (*fields)[3]};
    }
    if (text.starts_with("JOIN^")) {
        std::optional<int> number = decimal::ParseDigits<int>(text.substr(5));
        if (!number) return Malformed("JOIN^");
        return request::Join{*number};
    }
    if (text.starts_with("FIND_USER^")) {
        // An empty memo text is allowed: the client sends one when the user writes nothing.
        std::vector<std::string> fields = config::SplitFields(text.substr(10));
        if (fields.size() != 2 || fields[0].empty()) return Malformed("FIND_USER^");
        return request::Memo{fields[0], fields[1]};
    }
    return request::Unknown{};
}

} // namespace lobby
