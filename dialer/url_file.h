// "url.ini": the home page, one text line "address^YES^" or "address^NO^".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dialer {

// The service's web site, opened when the user keeps no address of his own.
inline constexpr std::string_view kDefaultHomePage = "http://www.lumanet.example/";

struct HomePageSetting {
    std::string address;
    bool enabled = false;  // the second field is "YES"
};

// The first line's fields; nullopt when the file cannot be opened.
std::optional<HomePageSetting> ReadHomePage(const std::filesystem::path& file);

// The address to open: the user's when it is set and enabled, else the default.
std::string HomePageAddress(const std::optional<HomePageSetting>& setting);

// The line that stores a setting: the user's address only when it is enabled
// and not empty, otherwise the default address with "NO".
std::string HomePageLine(const HomePageSetting& setting);

// Writes line over the start of the file, which is created when missing and
// not shortened: readers take the first two fields only.
bool WriteHomePage(const std::filesystem::path& file, std::string_view line);

} // namespace dialer
