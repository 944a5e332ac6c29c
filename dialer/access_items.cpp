#include "dialer/access_items.h"

#include "common/config_file.h"

namespace dialer {

std::optional<std::vector<AccessItem>> ReadAccessItems(const std::filesystem::path& file) {
    auto lines = config::ReadLinePieces(file);
    if (!lines) return std::nullopt;
    std::vector<AccessItem> items;
    for (const std::string& line : *lines) {
        if (line.empty()) continue;
        auto fields = config::SplitFields(line);
        fields.resize(4);
        items.push_back({fields[0], fields[1], fields[2], fields[3]});
    }
    return items;
}

ItemMenuPlan PlanItemMenu(const std::optional<std::vector<AccessItem>>& items) {
    ItemMenuPlan plan;
    // A list that cannot be read still shows its header.
    if (!items) return plan;
    for (const AccessItem& item : *items) plan.entries.push_back(item.name);
    if (plan.entries.size() <= 1) {
        plan.show = false;
        plan.reserve = true;
        if (!plan.entries.empty()) plan.onlyItem = plan.entries.front();
    }
    return plan;
}

} // namespace dialer
