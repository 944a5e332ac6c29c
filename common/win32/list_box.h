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

// Scrolling a list to a new line repaints it at once, which makes a burst of
// lines slow: the list scrolls once, after the burst, to the burst's last line.
// The list's parent hands message to Apply.
class ScrollToLast {
public:
    explicit ScrollToLast(UINT message) : message_(message) {}
    void Request(HWND list, int index);
    void Apply();

private:
    UINT message_;
    HWND list_ = nullptr;
    int index_ = -1;
    bool posted_ = false;
};

// Replaces every line; selectEach selects each line as it is added, so the
// last one ends up selected.
void ReplaceLines(HWND list, const std::vector<std::string>& lines, bool selectEach = false);

// The selected line, "" when none is selected.
std::string SelectedLine(HWND list);

} // namespace win::list_box
