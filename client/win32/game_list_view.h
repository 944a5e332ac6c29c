// The three-column list view of registered games shared by the registration
// list (dialog 157) and the game selection at start (dialog 144).
#pragma once

#include <windows.h>

#include <filesystem>

namespace game_list {

struct ColumnWidths {
    int name, directory, executable;  // pixels
};

// Full-row selection and the columns "게임이름", "게임경로", "실행화일 이름".
void SetUp(HWND list, const ColumnWidths& widths);

// Empties the list and shows the used records of the file in file order.
void Load(HWND list, const std::filesystem::path& gameIni);

} // namespace game_list
