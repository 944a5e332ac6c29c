// The server's change list "change.ini": section tags that name the target
// sub-directory, file lines, the file count and the restart request.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace update {

enum class Section { kNone, kMedia, kConfig, kScript, kUtil };

// The sub-directory of the program directory that a section fills; empty for kNone.
std::string_view SectionDirectory(Section section);

struct ChangeEntry {
    Section section = Section::kNone;
    std::string name;

    bool operator==(const ChangeEntry&) const = default;
};

struct ChangeList {
    std::vector<ChangeEntry> entries;
    std::optional<int> fileCount;  // from the last "[NUMBER]" line
    bool restart = false;
};

// The progress bar runs to this many files when the list gives no count.
inline constexpr int kDefaultFileCount = 10;

ChangeList ParseChangeList(std::string_view content);

// A name that stays inside the directory it is joined to: no drive, no
// directory separator, no name that Windows would shorten (trailing dots or
// blanks, so no ".."), nothing Windows refuses or maps to a device.
bool IsPlainFileName(std::string_view name);

// Where an entry goes, as the user knows the place: "util\\a.dll".
std::string ShownPlace(const ChangeEntry& entry);

// Only entries under a section tag with a plain name may be installed.
bool IsInstallable(const ChangeEntry& entry);

} // namespace update
