// Replacing a file so that a reader, or a later start after a crash, sees
// either the old file or the whole new one, never a torn one.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace files {

// writeBeside fills the given path beside target (same directory, so the
// rename stays on one volume); on success it is renamed over target.
// Whatever is left beside target after a failure is removed.
bool ReplaceFile(const std::filesystem::path& target,
                 const std::function<bool(const std::filesystem::path& beside)>& writeBeside);

// ReplaceFile with exactly these bytes.
bool ReplaceWithBytes(const std::filesystem::path& target, std::string_view bytes);

// ReplaceFile with a copy of source.
bool CopyOver(const std::filesystem::path& source, const std::filesystem::path& target);

// Renames source over target, which is just as atomic and copies nothing;
// where a rename cannot do it (another volume), CopyOver and then removes
// source.
bool MoveOver(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace files
