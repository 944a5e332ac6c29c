#include "dialer/skin_layout.h"

#include "common/config_file.h"
#include "common/tagged_address.h"

#include <string_view>

namespace dialer {
namespace {

constexpr std::array<std::string_view, kSkinPartCount> kPartTags{"버튼1", "버튼2", "버튼3", "버튼4", "버튼5", "다이얼로그"};

std::optional<SkinPart> ScanPart(std::string_view line) {
    config::LineScanner scanner(line);
    std::string tag;
    SkinPart part;
    if (scanner.Word(tag) && scanner.Number(part.x) && scanner.Number(part.y) && scanner.Number(part.width) &&
        scanner.Number(part.height) && scanner.Word(part.file)) {
        return part;
    }
    return std::nullopt;
}

} // namespace

SkinLayout ParseSkinLayout(const std::vector<std::string>& lines) {
    SkinLayout layout;
    layout.read = true;
    for (const std::string& line : lines) {
        std::string tag = config::FirstWord(line);
        for (std::size_t i = 0; i < kPartTags.size(); ++i) {
            if (tag != kPartTags[i]) continue;
            if (auto part = ScanPart(line)) layout.parts[i] = *part;
        }
    }
    layout.dnsPrimary = config::LastTaggedAddress(lines, "[DNSADDR]").value_or(net::Ipv4Address{});
    layout.dnsSecondary = config::LastTaggedAddress(lines, "[DNSSUBADDR]").value_or(net::Ipv4Address{});
    return layout;
}

SkinLayout ReadSkinLayout(const std::filesystem::path& file) {
    auto lines = config::ReadLinePieces(file);
    return lines ? ParseSkinLayout(*lines) : SkinLayout{};
}

} // namespace dialer
