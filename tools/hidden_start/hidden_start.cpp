// Starts a program hidden, as the dial-up connector starts the updater:
// WinExec(command, SW_HIDE). Usage: hidden_start <command line>.
// Exits 0 when the program started.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    std::wstring wide;
    for (int i = 1; i < argc; ++i) wide += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
    int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string command(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, command.data(), length, nullptr, nullptr);
    return WinExec(command.c_str(), SW_HIDE) > 31 ? 0 : 1;
}
