#include "client/protocol/wire_format.h"

#include "common/cp949.h"

#include <algorithm>

namespace lobby {
namespace {

// NUL, blanks and line ends: what a server may put between messages.
bool IsPadding(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

} // namespace

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

void ReceiveFramer::Take(std::string_view framed, std::vector<std::string>& messages) const {
    if (IsPadding(framed)) return;
    std::string message = StripHeader(framed);
    if (!message.empty()) messages.push_back(std::move(message));
}

std::vector<std::string> ReceiveFramer::Feed(std::string_view data) {
    std::vector<std::string> messages;
    if (data.find('\0') != std::string_view::npos) senderEndsMessages_ = true;
    pending_.append(data);
    std::string_view text(pending_);
    // Padding is long runs of NUL: skip a run at once.
    std::size_t start = text.find_first_not_of('\0');
    while (start != std::string_view::npos) {
        std::size_t end = text.find('\0', start);
        if (end == std::string_view::npos) break;
        Take(text.substr(start, end - start), messages);
        start = text.find_first_not_of('\0', end);
    }
    pending_.erase(0, start == std::string_view::npos ? pending_.size() : start);
    if (pending_.size() >= kReceiveBufferSize) {
        auto rest = Flush();
        messages.insert(messages.end(), rest.begin(), rest.end());
    }
    return messages;
}

std::optional<unsigned> ReceiveFramer::QuietFlushMs() const {
    if (IsPadding(pending_)) return std::nullopt;
    return kQuietFlushMs;
}

std::vector<std::string> ReceiveFramer::EndOfReceive() {
    if (senderEndsMessages_) return {};
    return Flush();
}

std::vector<std::string> ReceiveFramer::Flush() {
    std::vector<std::string> messages;
    Take(pending_, messages);
    pending_.clear();
    return messages;
}

} // namespace lobby
