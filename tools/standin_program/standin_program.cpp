// Stands in for a program that the suite starts (a game, the dial-up
// connector): each start appends one line, "<command line>\t<current
// directory>" in UTF-8, to "<its own name>.started" beside it, then ends.
// Tests copy it under the name the program under test starts.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
    return out;
}

// "C:\dir\StarCraft.exe" records into "C:\dir\StarCraft.started".
std::wstring RecordPath() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    std::size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring::npos || dot < path.find_last_of(L'\\')) dot = path.size();
    return path.substr(0, dot) + L".started";
}

std::wstring CurrentDirectory() {
    std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
    directory.resize(GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data()));
    return directory;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::string line = Utf8(GetCommandLineW()) + "\t" + Utf8(CurrentDirectory()) + "\n";
    HANDLE record = CreateFileW(RecordPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (record == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    BOOL ok = WriteFile(record, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(record);
    // Ready for input: a starter that waits as WinExec does goes on at once.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    return ok && written == line.size() ? 0 : 1;
}
