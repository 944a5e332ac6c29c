// CP949 <-> UTF-16 at the Windows boundary. The programs hold CP949 bytes
// inside and call the W functions, converting with code page 949 explicitly
// so that Korean shows on every Windows, whatever its ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win {

std::wstring Widen(std::string_view cp949);
std::string Narrow(std::wstring_view utf16);

std::string GetWindowTextCp949(HWND window);
void SetWindowTextCp949(HWND window, std::string_view text);

} // namespace win
