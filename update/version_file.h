// The version file, the same on the server and in "config": the version on
// its first line, then after a "[CONTENT]" line the text offered to the user.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace update {

inline constexpr std::string_view kContentTag = "[CONTENT]";
// The offered text is held in a 512-byte buffer.
inline constexpr std::size_t kMaxOfferText = 511;

// The first line without its line end: two versions are the same when these
// are equal byte for byte. A missing line end makes no version differ.
std::string VersionLine(std::string_view content);

// The lines after the "[CONTENT]" line joined with line feeds, cut to
// kMaxOfferText bytes without splitting a character; empty without that line.
std::string OfferText(std::string_view content);

} // namespace update
