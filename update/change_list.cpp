#include "update/change_list.h"

#include "common/config_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace update {
namespace {

constexpr std::array<std::pair<std::string_view, Section>, 4> kSectionTags{{
    {"[MEDIA]", Section::kMedia},
    {"[CONFIG]", Section::kConfig},
    {"[SCRIPT]", Section::kScript},
    {"[UTIL]", Section::kUtil},
}};
constexpr std::string_view kNumberTag = "[NUMBER]";
constexpr std::string_view kRestartTag = "[RESTART]";

// The text before the first "^" when there is one, else the first word.
std::string LineWord(std::string_view line) {
    if (std::size_t caret = line.find('^'); caret != std::string_view::npos) {
        return std::string(line.substr(0, caret));
    }
    return config::FirstWord(line);
}

std::optional<Section> SectionOfTag(std::string_view word) {
    for (const auto& [tag, section] : kSectionTags) {
        if (word == tag) return section;
    }
    return std::nullopt;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

// CON, PRN, AUX, NUL, COM1..COM9 and LPT1..LPT9 open devices in every
// directory, with any extension.
bool IsDeviceName(std::string_view name) {
    std::string stem = Upper(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' &&
           stem[3] <= '9';
}

} // namespace

std::string_view SectionDirectory(Section section) {
    switch (section) {
    case Section::kMedia: return "media";
    case Section::kConfig: return "config";
    case Section::kScript: return "script";
    case Section::kUtil: return "util";
    case Section::kNone: break;
    }
    return {};
}

ChangeList ParseChangeList(std::string_view content) {
    ChangeList list;
    Section section = Section::kNone;
    for (const std::string& line : config::SplitLinePieces(content)) {
        std::string word = LineWord(line);
        if (word.empty()) continue;
        if (auto tagged = SectionOfTag(word)) {
            section = *tagged;
        } else if (word == kNumberTag) {
            config::LineScanner scanner(line);
            std::string tag;
            int count = 0;
            if (scanner.Word(tag) && scanner.Number(count)) list.fileCount = count;
        } else if (word == kRestartTag) {
            list.restart = true;
        } else if (word.front() != '[') {
            list.entries.push_back({section, std::move(word)});
        }
    }
    return list;
}

bool IsPlainFileName(std::string_view name) {
    // Windows drops a name's trailing dots and blanks: "..." would be the
    // directory itself or its parent, "a.dll." another file than the listed one.
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F) return false;
        if (std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
    }
    return !IsDeviceName(name);
}

std::string ShownPlace(const ChangeEntry& entry) {
    std::string_view directory = SectionDirectory(entry.section);
    return directory.empty() ? entry.name : std::string(directory) + "\\" + entry.name;
}

bool IsInstallable(const ChangeEntry& entry) {
    return entry.section != Section::kNone && IsPlainFileName(entry.name);
}

} // namespace update
