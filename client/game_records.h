// "config/game.ini": the games the user registered by hand, a headerless
// sequence of fixed 772-byte records. A record whose name is empty is a free
// slot that every list skips.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lobby {

inline constexpr std::size_t kGameNameSize = 256;
inline constexpr std::size_t kGamePathSize = 260;
inline constexpr std::size_t kGameExeSize = 256;
inline constexpr std::size_t kGameRecordSize = kGameNameSize + kGamePathSize + kGameExeSize;
static_assert(kGameRecordSize == 772);

struct GameRecord {
    std::string name;       // unique among used records
    std::string directory;  // without a trailing backslash
    std::string executable;
};

// The used records of the file content in file order. A truncated last
// record is ignored; a field without its terminator ends at its field size.
std::vector<GameRecord> ParseGameRecords(std::string_view content);

// ParseGameRecords of the file; a missing file has no records.
std::vector<GameRecord> ReadGameRecords(const std::filesystem::path& gameIni);

} // namespace lobby
