#include "server/net/console_log.h"

#include "common/win32/text.h"
#include "server/net/time_stamp.h"

#include <windows.h>

#include <string>

namespace lobby_server {

// A console shows the Korean IDs through its wide calls whatever its code
// page; redirected output keeps the CP949 bytes.
void WriteLogLine(std::string_view line) {
    std::string text = TimeStamp() + " " + std::string(line) + "\r\n";
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(output, &mode)) {
        std::wstring wide = win::Widen(text);
        WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

} // namespace lobby_server
