// Stands in for the connector in tests of the updater's restart: appends one
// line per start, "<current directory>|<command line>" in UTF-8, to
// "Pondial.started" beside the program, then ends.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
    return out;
}

std::wstring ProgramDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring CurrentDirectory() {
    std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
    directory.resize(GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data()));
    return directory;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::string line = Utf8(CurrentDirectory()) + "|" + Utf8(GetCommandLineW()) + "\n";
    HANDLE record = CreateFileW((ProgramDirectory() + L"Pondial.started").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (record == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(record, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(record);
    // Ready for input: a starter waiting as WinExec does goes on at once.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    return 0;
}
