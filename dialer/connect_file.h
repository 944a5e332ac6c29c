// "connect.ini": the client program the user chose per item; 140-byte
// records of a 12-byte item name and a 128-byte command line.
#pragma once

#include "dialer/record_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dialer {

inline constexpr std::size_t kConnectRecordSize = 140;
inline constexpr RecordField kConnectName{0, 12};
inline constexpr RecordField kConnectCommand{12, 128};
static_assert(kConnectCommand.offset + kConnectCommand.size == kConnectRecordSize);

// The command line of the item's first record; nullopt when there is none.
std::optional<std::string> FindClientProgram(const std::filesystem::path& file, std::string_view item);

// The stored command line of a chosen program: its path quoted, a blank, the arguments.
std::string ClientCommandLine(std::string_view path, std::string_view arguments);

enum class StoreResult { kStored, kTooLong, kUnwritable };

// Appends the item's record; the file is created when missing. A name or a
// command line that does not fit its field is not stored.
StoreResult AppendClientProgram(const std::filesystem::path& file, std::string_view item, std::string_view commandLine);

} // namespace dialer
