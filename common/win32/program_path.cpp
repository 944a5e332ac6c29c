#include "common/win32/program_path.h"

#include <windows.h>

#include <string>

namespace win {

std::filesystem::path ProgramFile(std::string_view relative) {
    DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(length, L'\0');
    length = GetCurrentDirectoryW(length, dir.data());
    dir.resize(length);
    return std::filesystem::path(dir) / std::filesystem::path(std::string(relative)).make_preferred();
}

} // namespace win
