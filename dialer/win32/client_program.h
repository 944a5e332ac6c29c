// The program the user picks for an item of kind "file".
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Tells the user what to pick, then asks with the file dialog; the chosen
// path, or nullopt when the user cancelled.
std::optional<std::string> ChooseClientProgram(HWND owner, std::string_view item);
