// The connector's skin as "position.ini" lays it out: a rectangle and a file
// for the help clip, the four buttons and the window, and the two DNS
// servers that the phonebook entries use.
#pragma once

#include "common/name_resolver.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dialer {

struct SkinPart {
    int x = 0, y = 0, width = 0, height = 0;
    std::string file;
};

enum SkinPartIndex : std::size_t { kHelpPart, kConnectPart, kSettingsPart, kHangUpPart, kQuitPart, kWindowPart, kSkinPartCount };

struct SkinLayout {
    bool read = false;  // the file could be opened
    std::array<std::optional<SkinPart>, kSkinPartCount> parts;
    // Octets that the file does not give count as 0.
    net::Ipv4Address dnsPrimary{};
    net::Ipv4Address dnsSecondary{};
};

// Lines "버튼1".."버튼5" and "다이얼로그" give "name x y width height file";
// a line that misses one of them is ignored, as are all other lines.
SkinLayout ParseSkinLayout(const std::vector<std::string>& lines);
SkinLayout ReadSkinLayout(const std::filesystem::path& file);

} // namespace dialer
