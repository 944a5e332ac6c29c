// The updater's side of the hand-off files (common/hand_off_contract.h).
#pragma once

#include "common/hand_off_contract.h"

#include <filesystem>
#include <string_view>

namespace update {

// Writes exactly the word's bytes, no line end, so that a reader never finds
// the file missing or empty: over an existing file the word goes in with
// zeros after it, then the file is cut to the word; a new file appears whole.
// False when the file cannot be written or the word does not fit the flag.
bool WriteEndTransfer(const std::filesystem::path& file, std::string_view word);

// Whether the connector's grant is in the file; a found grant is used up by
// overwriting the flag with zeros. False also when the file cannot be opened.
bool TakeRestartGrant(const std::filesystem::path& file);

} // namespace update
