// How lobby messages travel: every outgoing message in a 512-byte block
// padded with NUL bytes; incoming data as NUL-terminated messages, each
// behind a header that ends at its first caret.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lobby {

inline constexpr std::size_t kSendBlockSize = 512;
inline constexpr std::size_t kMaxMessageBytes = kSendBlockSize - 1;
inline constexpr std::size_t kReceiveBufferSize = 1024;
// The last resort for text whose NUL never comes. A dial-up line delivers a
// full block in pieces more than 100 ms apart, so this is seconds.
inline constexpr unsigned kQuietFlushMs = 3000;

using SendBlock = std::array<char, kSendBlockSize>;

// The message in a NUL-padded block; a longer text is cut at kMaxMessageBytes
// on a character boundary.
SendBlock MakeSendBlock(std::string_view message);

// Drops the header up to and including the first caret; without a caret the
// last character goes instead. "" when nothing is left.
std::string StripHeader(std::string_view framed);

// Cuts the received byte stream into messages. A server may send one padded
// block per message or several messages back to back, and TCP may split a
// block between two receives: a NUL ends a message, and text after the last
// NUL waits for the rest. A sender that has never sent a NUL does not end its
// messages at all but writes one message at a time, so for it the end of what
// has arrived ends the message. Text that never gets its NUL otherwise becomes
// a message when the caller flushes it after the quiet time, or at once when
// it would outgrow the receive buffer. Blanks and control bytes alone, such as
// what some servers pad with after a NUL, are never a message.
class ReceiveFramer {
public:
    // The messages that data completes, in order.
    std::vector<std::string> Feed(std::string_view data);
    // Everything that has arrived so far was fed: the waiting text of a sender
    // without NULs, as a message of its own.
    std::vector<std::string> EndOfReceive();
    // How long the caller waits for more before it flushes: nullopt when no
    // text waits.
    std::optional<unsigned> QuietFlushMs() const;
    // The waiting text as a message of its own.
    std::vector<std::string> Flush();
    void Reset() {
        pending_.clear();
        senderEndsMessages_ = false;
    }

private:
    void Take(std::string_view framed, std::vector<std::string>& messages) const;

    std::string pending_;
    bool senderEndsMessages_ = false;
};

} // namespace lobby
