// "config/game.ini": the games the user registered by hand, a headerless
// sequence of fixed 772-byte records. A record whose name is empty is a free
// slot that every list and lookup skips and the next added record reuses;
// the file never shrinks.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lobby {

inline constexpr std::size_t kGameNameSize = 256;
inline constexpr std::size_t kGamePathSize = 260;
inline constexpr std::size_t kGameExeSize = 256;
inline constexpr std::size_t kGameRecordSize = kGameNameSize + kGamePathSize + kGameExeSize;
static_assert(kGameRecordSize == 772);
// Each text keeps its zero terminator inside its field.
inline constexpr std::size_t kGameNameMaxBytes = kGameNameSize - 1;
inline constexpr std::size_t kGamePathMaxBytes = kGamePathSize - 1;
inline constexpr std::size_t kGameExeMaxBytes = kGameExeSize - 1;

struct GameRecord {
    std::string name;       // unique among used records
    std::string directory;  // without a trailing backslash
    std::string executable;
};

// The record's 772 bytes, zero after each text; nullopt when a text does not
// fit its field with its terminator.
std::optional<std::string> EncodeGameRecord(const GameRecord& record);

// The used records of the file content in file order. A truncated last
// record is ignored; a field without its terminator ends at its field size.
std::vector<GameRecord> ParseGameRecords(std::string_view content);

// ParseGameRecords of the file; a missing file has no records.
std::vector<GameRecord> ReadGameRecords(const std::filesystem::path& gameIni);

// The first used record of that name.
std::optional<GameRecord> FindGameRecord(const std::filesystem::path& gameIni, std::string_view name);

// The record shown in a list's row: used records counted in file order.
std::optional<GameRecord> GameRecordAtRow(const std::filesystem::path& gameIni, int row);

bool GameRecordExists(const std::filesystem::path& gameIni, std::string_view name);

// True when the file opens for reading and writing or can be created.
bool OpenOrCreateGameFile(const std::filesystem::path& gameIni);

// Writes the record into the first free slot, or after the last whole record
// (a damaged short tail is overwritten, so records stay aligned). The file is
// created when missing. False when nothing could be written.
bool AddGameRecord(const std::filesystem::path& gameIni, const GameRecord& record);

// Overwrites the first used record named previousName; the new name is not
// compared with the other records. False when there is none or the write failed.
bool ModifyGameRecord(const std::filesystem::path& gameIni, std::string_view previousName,
                      const GameRecord& record);

// Zeroes the first used record of that name; a missing file is left alone.
void DeleteGameRecord(const std::filesystem::path& gameIni, std::string_view name);

} // namespace lobby
