// Starts a program hidden, as the dial-up connector starts the updater
// (CreateProcess with SW_HIDE). Usage: hidden_start <command line>.
// Exits 0 when the program started.
#include "common/win32/program_starter.h"

#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    std::wstring line;
    for (int i = 1; i < argc; ++i) line += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
    return win::StartCommand(line, SW_HIDE) ? 0 : 1;
}
