// The three-column list view of registered games shared by the registration
// list (dialog 157) and the game selection at start (dialog 144).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <string>

namespace game_list {

struct ColumnWidths {
    int name, directory, executable;  // pixels
};

// Full-row selection and the columns "게임이름", "게임경로", "실행화일 이름".
void SetUp(HWND list, const ColumnWidths& widths);

// Empties the list and shows the used records of the file in file order.
void Load(HWND list, const std::filesystem::path& gameIni);

// The row whose selection state a LVN_ITEMCHANGED reports, or -1 when the
// notification is about something else (such as a row's text being set).
int RowOfStateChange(const NMHDR& header);

// The text of a row's first column.
std::string RowName(HWND list, int row);

} // namespace game_list
