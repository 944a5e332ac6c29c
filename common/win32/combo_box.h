// Combo boxes with CP949 entries.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace win::combo_box {

void AddEntry(HWND combo, std::string_view text);
// The entry at index, "" when there is none.
std::string EntryText(HWND combo, int index);
std::vector<std::string> Entries(HWND combo);

} // namespace win::combo_box
