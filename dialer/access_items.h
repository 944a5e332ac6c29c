// "filelist.ini": the service's access items, one "^"-separated line each:
// name, kind ("internet", "game" or a registry path), the question asked
// before connecting, and the program to start once connected.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialer {

// The kind of an item whose program the user chooses once ("connect.ini").
inline constexpr std::string_view kFileItemKind = "file";

struct AccessItem {
    std::string name;
    std::string kind;
    std::string question;
    std::string program;
};

// The items of the non-empty lines, in line order; item number n (from 1)
// is element n - 1. nullopt when the file cannot be opened.
std::optional<std::vector<AccessItem>> ReadAccessItems(const std::filesystem::path& file);

// Item menu commands count up from here: the first item is kFirstItemCommand.
inline constexpr int kItemCommandBase = 32000;
inline constexpr int kFirstItemCommand = kItemCommandBase + 1;

// What the item menu does with the items it finds.
struct ItemMenuPlan {
    std::vector<std::string> entries;  // item names after the header
    bool show = true;
    // The list leaves nothing to choose: connect without asking, and the
    // only item, if there is one, becomes the current item.
    bool reserve = false;
    std::optional<std::string> onlyItem;
};

ItemMenuPlan PlanItemMenu(const std::optional<std::vector<AccessItem>>& items);

} // namespace dialer
