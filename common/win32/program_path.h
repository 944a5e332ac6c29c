// Files of the program directory. Every program runs with the program
// directory as its current directory and names its files relative to it.
#pragma once

#include <filesystem>
#include <string_view>

namespace win {

// The current directory joined with a relative path such as "config/position.ini".
std::filesystem::path ProgramFile(std::string_view relative);

} // namespace win
