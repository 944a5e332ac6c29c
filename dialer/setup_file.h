// "setup.ini": the outside-line prefix and the reserved item, three 32-byte
// records of a 12-byte tag and a 20-byte value.
#pragma once

#include "dialer/record_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dialer {

inline constexpr std::size_t kSetupRecordSize = 32;
inline constexpr RecordField kSetupTag{0, 12};
inline constexpr RecordField kSetupValue{12, 20};
static_assert(kSetupValue.offset + kSetupValue.size == kSetupRecordSize);

inline constexpr std::string_view kNumberTag = "[NUMBER]";
inline constexpr std::string_view kAutoTag = "[AUTO]";
inline constexpr std::string_view kAutoItemTag = "[AUTOITEM]";
inline constexpr std::string_view kYes = "YES";
inline constexpr std::string_view kNo = "NO";

// The prefix the settings dialog offers when none is stored.
inline constexpr std::string_view kDefaultLinePrefix = "9";
// The main window keeps this much of the prefix.
inline constexpr std::size_t kMaxLinePrefix = 3;

struct SetupSettings {
    std::string linePrefix;
    bool reserved = false;  // "[AUTO]" is "YES"
    std::string reservedItem;
};

// Records with other tags are skipped; a tag given twice keeps its last value.
// nullopt when the file cannot be opened.
std::optional<SetupSettings> ReadSetup(const std::filesystem::path& file);

// Rewrites the file as the three records in their order; values longer than
// the field are cut at a character boundary. False when it cannot be written.
bool WriteSetup(const std::filesystem::path& file, const SetupSettings& settings);

} // namespace dialer
