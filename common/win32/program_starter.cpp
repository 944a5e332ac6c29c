#include "common/win32/program_starter.h"

#include <windows.h>

#include <string>

#include "common/win32/text.h"

namespace win {
namespace {
constexpr DWORD kInputIdleWaitMs = 30000;
}

bool StartCommand(std::string_view command, int showMode) { return StartCommand(Widen(command), showMode); }

bool StartCommand(std::wstring line, int showMode) { return StartProcess(std::move(line), showMode, L"") != nullptr; }

void ProcessHandleClose::operator()(void* process) const { CloseHandle(process); }

ProcessHandle StartProcess(std::wstring line, int showMode, const std::wstring& directory) {
    // line is a copy: CreateProcessW may write into the command line.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
        return nullptr;
    }
    WaitForInputIdle(process.hProcess, kInputIdleWaitMs);
    CloseHandle(process.hThread);
    return ProcessHandle(process.hProcess);
}

bool ProcessEnded(const ProcessHandle& process) {
    return !process || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
}

} // namespace win
