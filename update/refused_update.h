// An update the updater refused because of what the server offers (a change
// list that is missing, unreadable or names what cannot be installed). Such a
// cause does not go away by itself, so the refusal is remembered: the same
// server version with the same change list is not offered again, while a new
// version or a changed list is.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace update {

struct RefusedUpdate {
    std::string version;     // the server's version line; empty when it could not be fetched
    std::string changeList;  // ChangeListFingerprint of the refused list

    bool operator==(const RefusedUpdate&) const = default;
};

// Tells change lists apart without keeping them; a missing or unreadable list
// has a fingerprint of its own.
std::string ChangeListFingerprint(const std::optional<std::string>& content);

// nullopt when nothing was refused (no file, or not one of ours).
std::optional<RefusedUpdate> ReadRefusedUpdate(const std::filesystem::path& file);
bool WriteRefusedUpdate(const std::filesystem::path& file, const RefusedUpdate& refused);

} // namespace update
