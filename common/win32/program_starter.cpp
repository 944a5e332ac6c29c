#include "common/win32/program_starter.h"

#include <windows.h>

#include <string>

#include "common/win32/text.h"

namespace win {
namespace {
constexpr DWORD kInputIdleWaitMs = 30000;
}

bool StartCommand(std::string_view command, int showMode) { return StartCommand(Widen(command), showMode); }

bool StartCommand(std::wstring line, int showMode) {
    // A copy: CreateProcessW may write into the command line.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    WaitForInputIdle(process.hProcess, kInputIdleWaitMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace win
