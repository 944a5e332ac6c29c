// The two small files through which the updater and the connector agree on
// how an update ended and when the connector may be started again.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace update {

// Both files hold one 10-byte flag; a reader takes its first line from a
// 10-byte buffer, so a word has at most 9 bytes.
inline constexpr std::size_t kHandOffFlagSize = 10;
inline constexpr std::size_t kMaxHandOffWord = kHandOffFlagSize - 1;

// Words of "EndTransfer.ini".
inline constexpr std::string_view kNothingToUpdate = "NO";
inline constexpr std::string_view kUpdated = "UPDATE";
inline constexpr std::string_view kRestartWanted = "YES";
// The connector's grant in "Receive.ini".
inline constexpr std::string_view kRestartGranted = "YES";

static_assert(kNothingToUpdate.size() <= kMaxHandOffWord);
static_assert(kUpdated.size() <= kMaxHandOffWord);
static_assert(kRestartWanted.size() <= kMaxHandOffWord);

// Empties the file and writes exactly the word's bytes, no line end.
// False when the file cannot be written or the word does not fit the flag.
bool WriteEndTransfer(const std::filesystem::path& file, std::string_view word);

// Whether the connector's grant is in the file; a found grant is used up by
// overwriting the flag with zeros. False also when the file cannot be opened.
bool TakeRestartGrant(const std::filesystem::path& file);

} // namespace update
