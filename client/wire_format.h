// How lobby messages travel: every outgoing message in a 512-byte block
// padded with NUL bytes; incoming data as NUL-terminated messages, each
// behind a header that ends at its first caret.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lobby {

inline constexpr std::size_t kSendBlockSize = 512;
inline constexpr std::size_t kMaxMessageBytes = kSendBlockSize - 1;
inline constexpr std::size_t kReceiveBufferSize = 1024;

using SendBlock = std::array<char, kSendBlockSize>;

// The message in a NUL-padded block; a longer text is cut at kMaxMessageBytes
// on a character boundary.
SendBlock MakeSendBlock(std::string_view message);

// Drops the header up to and including the first caret; without a caret the
// last character goes instead. "" when nothing is left.
std::string StripHeader(std::string_view framed);

// Every message of one receive, in order. A server may send one padded block
// per message or several messages back to back; each NUL ends a message,
// and text at the end of the data without a NUL is a message too.
std::vector<std::string> SplitReceived(std::string_view data);

} // namespace lobby
