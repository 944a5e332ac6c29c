// Byte-level helpers for CP949 text, the encoding the programs hold inside.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cp949 {

// A lead byte starts a two-byte character (Hangul, Hanja, symbols).
inline bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// The longest prefix of text that fits max bytes without splitting a
// two-byte character.
std::string_view CutToBytes(std::string_view text, std::size_t max);

// Inputs that travel in "^"-separated lines may not hold the separator.
inline bool HasCaret(std::string_view text) { return text.find('^') != std::string_view::npos; }

// The caret refusal shared by every input of the suite.
inline constexpr const char* kCaretRefusal = "'^'문자는 입력할수 없습니다";

} // namespace cp949
