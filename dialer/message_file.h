// "message.ini": per item, whether to connect without asking first; 24-byte
// records of a 20-byte item name and a 4-byte flag, changed in place.
#pragma once

#include "dialer/record_file.h"

#include <filesystem>
#include <string_view>

namespace dialer {

inline constexpr std::size_t kMessageRecordSize = 24;
inline constexpr RecordField kMessageName{0, 20};
inline constexpr RecordField kMessageFlag{20, 4};
static_assert(kMessageFlag.offset + kMessageFlag.size == kMessageRecordSize);

// Told when the file cannot be written.
inline constexpr std::string_view kMessageFileUnwritable =
    "화일생성이 되지 않습니다.\n직접 message.ini를 config디렉토리에\n만들어 주십시요.";

// True when the item's record says "YES"; false for "NO", no record or no file.
bool SkipsQuestion(const std::filesystem::path& file, std::string_view item);

// Writes the item's record in place, or appends it; the file is created when
// missing. False when it cannot be written or the name does not fit its field.
bool SetSkipsQuestion(const std::filesystem::path& file, std::string_view item, bool skip);

} // namespace dialer
