// List boxes with CP949 lines.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace win::list_box {

// Adds a line (at the end, or in its place in a sorted list); scrollTo makes
// it the top line as far as the list can scroll. Returns its index or -1.
int AddLine(HWND list, std::string_view line, bool scrollTo = false);

// Replaces every line; selectEach selects each line as it is added, so the
// last one ends up selected.
void ReplaceLines(HWND list, const std::vector<std::string>& lines, bool selectEach = false);

// The selected line, "" when none is selected.
std::string SelectedLine(HWND list);

} // namespace win::list_box
