#include "dialer/url_file.h"

#include "common/config_file.h"
#include "dialer/record_file.h"
#include "dialer/setup_file.h"

namespace dialer {

std::optional<HomePageSetting> ReadHomePage(const std::filesystem::path& file) {
    auto lines = config::ReadLinePieces(file);
    if (!lines) return std::nullopt;
    HomePageSetting setting;
    if (lines->empty()) return setting;
    auto fields = config::SplitFields(lines->front());
    setting.address = fields[0];
    setting.enabled = fields.size() > 1 && fields[1] == kYes;
    return setting;
}

std::string HomePageAddress(const std::optional<HomePageSetting>& setting) {
    if (setting && setting->enabled && !setting->address.empty()) return setting->address;
    return std::string(kDefaultHomePage);
}

std::string HomePageLine(const HomePageSetting& setting) {
    if (setting.enabled && !setting.address.empty()) return setting.address + "^" + std::string(kYes) + "^";
    return std::string(kDefaultHomePage) + "^" + std::string(kNo) + "^";
}

bool WriteHomePage(const std::filesystem::path& file, std::string_view line) { return WriteRecord(file, 0, line); }

} // namespace dialer
